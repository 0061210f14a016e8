// Draws the machine window, or with --info the info window, as it must look with the given
// texts, for the black-box tests to compare a screenshot of the running game with:
//   expected_look OUT.png [PlayerCoins=19] [Banner=1] [Prize=200] [Word=монет]
//   expected_look OUT.png --info [CoinsInserted=3] [CoinsWon=5] [MachineMoney=1003] [Takings=3]
#include <QApplication>
#include <QImage>

#include "machine/machine.h"
#include "qt/fonts.h"
#include "qt/info_window_view.h"
#include "qt/machine_window.h"
#include "qt/platform.h"
#include "qt/view.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  vertuno::qt::installMachineFonts();
  if (argc < 2) return 2;
  vertuno::qt::QtPlatform platform("/nonexistent", "/nonexistent/data1.ini");
  vertuno::qt::QtView view;
  vertuno::Machine machine(platform, view);
  vertuno::qt::MachineWindow window(machine);
  view.attach(machine, window);

  vertuno::MachineState& state = machine.state();
  const bool infoWindow = argc > 2 && QString::fromUtf8(argv[2]) == QLatin1String("--info");
  if (infoWindow) machine.info();
  for (int i = infoWindow ? 3 : 2; i < argc; ++i) {
    const QString argument = QString::fromUtf8(argv[i]);
    const QString key = argument.section(QLatin1Char('='), 0, 0);
    const std::string value = argument.section(QLatin1Char('='), 1).toStdString();
    if (key == QLatin1String("PlayerCoins")) state.PlayerCoins = value;
    if (key == QLatin1String("Banner")) state.WinBannerVisible = value == "1";
    if (key == QLatin1String("Prize")) state.PrizeAmountText = value;
    if (key == QLatin1String("Word")) state.CoinWordText = value;
    if (key == QLatin1String("CoinsInserted")) state.Info.CoinsInserted = value;
    if (key == QLatin1String("CoinsWon")) state.Info.CoinsWon = value;
    if (key == QLatin1String("MachineMoney")) state.Info.MachineMoney = value;
    if (key == QLatin1String("Takings")) state.Info.Takings = value;
  }
  if (infoWindow) {
    state.InfoLoaded = true;
    vertuno::qt::InfoWindowView info(machine);
    info.refresh();
    return info.grab().toImage().save(QString::fromUtf8(argv[1])) ? 0 : 1;
  }
  window.refresh(vertuno::Change::PlayerCoins);
  window.refresh(vertuno::Change::WinDisplay);
  return window.grab().toImage().save(QString::fromUtf8(argv[1])) ? 0 : 1;
}
