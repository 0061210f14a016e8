#pragma once

#include <QMenu>
#include <QPointer>
#include <memory>

#include "machine/view.h"

namespace vertuno {
class Machine;
}

namespace vertuno::qt {

class MachineWindow;
class InfoWindowView;
class CentredWindow;

// The machine's windows on Qt: the cabinet, the side windows, message boxes and the menu.
class QtView : public View {
 public:
  QtView();
  ~QtView() override;
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
  void dragEnded() override;
  void moveMachineWindowBy(Point offset) override;
  void changed(Change what) override;

 private:
  // The side windows are made the first time they are needed.
  InfoWindowView& infoWindow();
  CentredWindow& aboutWindow();

  Machine* machine_ = nullptr;
  MachineWindow* window_ = nullptr;
  std::unique_ptr<InfoWindowView> info_;
  std::unique_ptr<CentredWindow> about_;  // Form3: a picture and three lines about the program
  QPointer<QMenu> menu_;                  // while it is open
};

}  // namespace vertuno::qt
