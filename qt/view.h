#pragma once

#include <memory>

#include "machine/view.h"

namespace vertuno {
class Machine;
}

namespace vertuno::qt {

class MachineWindow;
class InfoWindowView;
class AboutWindow;

// The machine's windows on Qt: the cabinet, the side windows, message boxes and the menu.
class QtView : public View {
 public:
  QtView();
  ~QtView() override;
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
  InfoWindowView& infoWindow();
  AboutWindow& aboutWindow();

  Machine* machine_ = nullptr;
  MachineWindow* window_ = nullptr;
  std::unique_ptr<InfoWindowView> info_;
  std::unique_ptr<AboutWindow> about_;
};

}  // namespace vertuno::qt
