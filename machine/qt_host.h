#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <cstdint>
#include <functional>
#include <memory>
#include <random>

#include "machine/host.h"
#include "machine/sound_player.h"

namespace vertuno {

class Machine;
class MachineWindow;
class InfoWindowView;
class AboutWindow;

// The desktop under the machine, on Qt: its timers, event loop, message boxes, menu, sounds
// and windows.
class QtHost : public QObject, public Host {
 public:
  QtHost(QString programFolder, QString totalsFile);

  ~QtHost() override;
  void attach(Machine& machine, MachineWindow& window);
  // The side windows are made the first time they are needed.
  InfoWindowView& infoWindow();
  AboutWindow& aboutWindow();
  // Timer2 counts idle ticks from the moment the window loads; Timer3 only ticks.
  void startWindowTimers();

  // How the program ends at once; tests replace it with something they can catch.
  std::function<void(int status)> endProgramHook;

  void pumpEvents() override;
  void waitForEvents() override;
  void armWaitTimer(int intervalMs) override;
  void disarmWaitTimer() override;
  int messageBox(const std::string& text, const std::string& title, int style) override;
  void playSound(const std::string& path) override;
  void reseedRandom() override;
  double nextRandom() override;
  std::error_code replaceFile(const std::string& path, const std::string& bytes) override;
  std::string programFolder() override { return programFolder_.toStdString(); }
  std::string totalsFilePath() override { return totalsFile_.toStdString(); }
  void setOutline(std::span<const Point> outline) override;
  void showMachineWindow() override;
  void startWindowDrag() override;
  MenuChoice popupMainMenu() override;
  void showInfoWindow() override;
  void hideInfoWindow() override;
  void showAboutWindow() override;
  [[noreturn]] void endProgram(int status) override;
  void changed(Change what) override;

 private:
  QString programFolder_;
  QString totalsFile_;
  Machine* machine_ = nullptr;
  MachineWindow* window_ = nullptr;
  std::unique_ptr<InfoWindowView> info_;
  std::unique_ptr<AboutWindow> about_;
  QTimer timer1_;
  QTimer timer2_;
  QTimer timer3_;
  SoundPlayer sounds_;
  std::mt19937_64 random_;
  std::uint64_t reseeds_ = 0;
};

}  // namespace vertuno
