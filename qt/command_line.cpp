#include "qt/command_line.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <QStringList>

#include "qt/terminal_text.h"

namespace vertuno::qt {

namespace {

// The options every Qt program takes, which QApplication reads itself once it opens the display.
// clang-format off
const char* const QtOptionsWithValue[] = {
    "platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry", "qwindowicon",
    "qwindowtitle", "session", "display", "geometry", "title", "icon", "name", "visual", "style",
    "stylesheet", "qmljsdebugger", "dialogs", "fontengine"};
// clang-format on
const char* const QtOptionsAlone[] = {"reverse", "widgetcount", "nograb", "dograb", "sync", "cmap"};

void acceptQtOptions(QCommandLineParser& parser) {
  for (const char* name : QtOptionsWithValue) {
    QCommandLineOption option(QString::fromLatin1(name), QString(), QStringLiteral("value"));
    option.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(option);
  }
  for (const char* name : QtOptionsAlone) {
    QCommandLineOption option(QString::fromLatin1(name));
    option.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(option);
  }
}

}  // namespace

std::optional<int> answerCommandLine(int argc, char** argv) {
  const auto say = inLocaleLanguage;

  QCommandLineParser parser;
  // Qt's options come with one dash, as "-platform xcb".
  parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  parser.setApplicationDescription(say("Вертуно: игровой автомат «777» для рабочего стола.",
                                       "Vertuno: a \"777\" coin slot machine for the desktop."));
  const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                say("Показать эту справку.", "Show this help."));
  const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                   say("Показать версию.", "Show the version."));
  parser.addOption(help);
  parser.addOption(version);
  acceptQtOptions(parser);

  QStringList arguments;
  for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
  if (!parser.parse(arguments)) {
    const QStringList unknown = parser.unknownOptionNames();
    complain(unknown.isEmpty() ? parser.errorText()
                               : say("неизвестный параметр: %1", "unknown option: %1").arg(unknown.first()));
    return 2;
  }
  if (parser.isSet(help)) {
    // No application exists yet to name the program, so the parser writes a placeholder.
    const QString program = QFileInfo(arguments.first()).fileName();
    printOut(parser.helpText()
                 .replace(QStringLiteral("<executable_name>"), program)
                 .replace(QStringLiteral("[options]"), say("[параметры]", "[options]"))
                 .replace(QStringLiteral("Usage:"), say("Запуск:", "Usage:"))
                 .replace(QStringLiteral("Options:"), say("Параметры:", "Options:")));
    return 0;
  }
  if (parser.isSet(version)) {
    printOut(QStringLiteral("vertuno %1\n").arg(QStringLiteral(VERTUNO_VERSION)));
    return 0;
  }
  if (!parser.positionalArguments().isEmpty()) {
    complain(say("лишний аргумент: %1", "unexpected argument: %1").arg(parser.positionalArguments().first()));
    return 2;
  }
  const bool displayNamed = !qEnvironmentVariableIsEmpty("DISPLAY") ||
                            !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
                            !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") ||
                            parser.isSet(QStringLiteral("platform")) || parser.isSet(QStringLiteral("display"));
  if (!displayNamed) {
    complain(say("нет экрана, на котором показать автомат (не заданы DISPLAY и WAYLAND_DISPLAY)",
                 "no display to show the machine on (neither DISPLAY nor WAYLAND_DISPLAY is set)"));
    return 1;
  }
  return std::nullopt;
}

}  // namespace vertuno::qt
