// Draws the machine window as it must look with the given texts, for the black-box tests to
// compare a screenshot of the running game with:
//   expected_look OUT.png [PlayerCoins=19] [Banner=1] [Prize=200] [Word=монет]
#include <QApplication>
#include <QImage>

#include "machine/fonts.h"
#include "machine/machine.h"
#include "machine/machine_window.h"
#include "machine/qt_host.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  vertuno::installMachineFonts();
  if (argc < 2) return 2;
  vertuno::QtHost host(QStringLiteral("/nonexistent"), QStringLiteral("/nonexistent/data1.ini"));
  vertuno::Machine machine(host);
  vertuno::MachineWindow window(machine);
  host.attach(machine, window);

  vertuno::MachineState& state = machine.state();
  for (int i = 2; i < argc; ++i) {
    const QString argument = QString::fromUtf8(argv[i]);
    const QString key = argument.section(QLatin1Char('='), 0, 0);
    const std::string value = argument.section(QLatin1Char('='), 1).toStdString();
    if (key == QLatin1String("PlayerCoins")) state.PlayerCoins = value;
    if (key == QLatin1String("Banner")) state.WinBannerVisible = value == "1";
    if (key == QLatin1String("Prize")) state.PrizeAmountText = value;
    if (key == QLatin1String("Word")) state.CoinWordText = value;
  }
  window.refresh(vertuno::Change::PlayerCoins);
  window.refresh(vertuno::Change::WinDisplay);
  return window.grab().toImage().save(QString::fromUtf8(argv[1])) ? 0 : 1;
}
