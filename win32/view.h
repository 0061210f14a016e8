#pragma once

#include <windows.h>

#include <memory>

#include "machine/view.h"

namespace vertuno {
class Machine;
}

namespace vertuno::win32 {

class MachineWindow;
class InfoWindow;
class AboutWindow;

// The machine's windows on Win32: the cabinet, the side windows, message boxes and the menu.
class Win32View : public View {
 public:
  Win32View();
  ~Win32View() override;
  void attach(Machine& machine, MachineWindow& window);

  Answer messageBox(const std::string& text, const std::string& title, MessageStyle style) override;
  void showMachineWindow() override;
  MenuChoice popupMainMenu() override;
  void showInfoWindow() override;
  void hideInfoWindow() override;
  void showAboutWindow() override;
  void changed(Change what) override;

 private:
  // The side windows are made the first time they are needed.
  InfoWindow& infoWindow();
  AboutWindow& aboutWindow();
  HWND sideWindowOwner();

  Machine* machine_ = nullptr;
  MachineWindow* window_ = nullptr;
  std::unique_ptr<InfoWindow> info_;
  std::unique_ptr<AboutWindow> about_;
  HWND sideWindowOwner_ = nullptr;
};

}  // namespace vertuno::win32
