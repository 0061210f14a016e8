#pragma once

#include <windows.h>

#include <memory>

#include "machine/view.h"

namespace vertuno {
class Machine;
}

namespace vertuno::win32 {

class MachineWindow;
class SideWindow;

// The machine's windows on Win32: the cabinet, the side windows, message boxes and the menu.
class Win32View : public View {
 public:
  Win32View();
  ~Win32View() override;
  void attach(Machine& machine, MachineWindow& window);

  Answer messageBox(const std::string& text, const std::string& title, MessageStyle style) override;
  void showMachineWindow() override;
  void raiseMachineWindow() override;
  MenuChoice popupMainMenu(std::optional<Point> at) override;
  void closeMainMenu() override;
  void showInfoWindow() override;
  void hideInfoWindow() override;
  void showAboutWindow() override;
  void hideAboutWindow() override;
  bool handDragToDesktop(Point moved) override;
  void moveMachineWindowBy(Point offset) override;
  void changed(Change what) override;

 private:
  // The side windows are made the first time they are needed.
  SideWindow& infoWindow();
  SideWindow& aboutWindow();
  HWND sideWindowOwner();

  Machine* machine_ = nullptr;
  MachineWindow* window_ = nullptr;
  std::unique_ptr<SideWindow> info_;   // Form2: the counters beside a picture of the coins
  std::unique_ptr<SideWindow> about_;  // Form3: the emblem, the program's name and its notice
  HWND sideWindowOwner_ = nullptr;
};

}  // namespace vertuno::win32
