#include "qt/command_line.h"

#include <QCommandLineParser>
#include <QLocale>
#include <QStringList>
#include <cstdio>

namespace vertuno::qt {

namespace {

void print(std::FILE* stream, const QString& text) {
  std::fputs(text.toLocal8Bit().constData(), stream);
}

}  // namespace

QString inLocaleLanguage(const char* russian, const char* english) {
  return QString::fromUtf8(QLocale::system().language() == QLocale::Russian ? russian : english);
}

void complain(const QString& line) { print(stderr, QStringLiteral("vertuno: ") + line + QLatin1Char('\n')); }

std::optional<int> answerCommandLine(int argc, char** argv) {
  const auto say = inLocaleLanguage;

  QCommandLineParser parser;
  parser.setApplicationDescription(say("Вертуно: игровой автомат «777» для рабочего стола.",
                                       "Vertuno: a \"777\" coin slot machine for the desktop."));
  const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                say("Показать эту справку.", "Show this help."));
  const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                   say("Показать версию.", "Show the version."));
  parser.addOption(help);
  parser.addOption(version);

  QStringList arguments;
  for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
  if (!parser.parse(arguments)) {
    const QStringList unknown = parser.unknownOptionNames();
    complain(unknown.isEmpty() ? parser.errorText()
                               : say("неизвестный параметр: %1", "unknown option: %1").arg(unknown.first()));
    return 2;
  }
  if (parser.isSet(help)) {
    print(stdout, parser.helpText().replace(QStringLiteral("Usage:"), say("Запуск:", "Usage:"))
                      .replace(QStringLiteral("Options:"), say("Параметры:", "Options:")));
    return 0;
  }
  if (parser.isSet(version)) {
    print(stdout, QStringLiteral("vertuno %1\n").arg(QStringLiteral(VERTUNO_VERSION)));
    return 0;
  }
  if (!parser.positionalArguments().isEmpty()) {
    complain(say("лишний аргумент: %1", "unexpected argument: %1").arg(parser.positionalArguments().first()));
    return 2;
  }
  const bool displayNamed = !qEnvironmentVariableIsEmpty("DISPLAY") ||
                            !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
                            !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
  if (!displayNamed) {
    complain(say("нет экрана, на котором показать автомат (не заданы DISPLAY и WAYLAND_DISPLAY)",
                 "no display to show the machine on (neither DISPLAY nor WAYLAND_DISPLAY is set)"));
    return 1;
  }
  return std::nullopt;
}

}  // namespace vertuno::qt
