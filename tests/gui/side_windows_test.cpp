#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "gui/shell_fixture.h"

namespace vertuno::testing {
namespace {

using SideWindows = Shell;

QString labelText(QWidget& window, const char* name) {
  return window.findChild<QLabel*>(QString::fromLatin1(name))->text();
}

TEST_F(SideWindows, TheRulesPanelShowsTheCountersAndOkSavesAndCloses) {
  folder.write("data1.ini", "512\r\n");
  machine.Form_Load();
  QTest::mouseClick(&window.hotSpot(QStringLiteral("Label3")), Qt::LeftButton);
  EXPECT_TRUE(info().isVisible());
  EXPECT_EQ(info().windowTitle(), QStringLiteral("Информация"));
  EXPECT_EQ(info().size(), QSize(310, 237));
  EXPECT_FALSE(info().windowFlags() & Qt::WindowMinimizeButtonHint);
  EXPECT_FALSE(info().windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_EQ(labelText(info(), "Label11"), QStringLiteral("512"));
  EXPECT_EQ(labelText(info(), "Label12"), QStringLiteral("-488"));
  EXPECT_EQ(labelText(info(), "Label6"), QStringLiteral("Закинуто монет:"));
  EXPECT_EQ(info().findChild<QGroupBox*>(QStringLiteral("Frame2"))->title(), QStringLiteral("Счетчики"));

  QTimer::singleShot(100, &window, [this] {
    QTest::mousePress(&window.hotSpot(QStringLiteral("Label8")), Qt::LeftButton);
  });
  QTest::mouseClick(&window.hotSpot(QStringLiteral("Label1")), Qt::LeftButton);
  EXPECT_EQ(labelText(info(), "Label7"), QStringLiteral("1"));

  auto* ok = info().findChild<QPushButton*>(QStringLiteral("Command1"));
  EXPECT_EQ(ok->text(), QStringLiteral("ОК"));
  ok->click();
  EXPECT_FALSE(info().isVisible());
  EXPECT_FALSE(machine.state().InfoLoaded);
  const std::string saved = folder.read("data1.ini");
  EXPECT_TRUE(saved.ends_with("\r\n"));
  EXPECT_LE(std::stoi(saved), 513);
}

TEST_F(SideWindows, ClosingTheInfoWindowByItsCloseButtonSavesAndUnloads) {
  folder.write("data1.ini", "700\r\n");
  machine.Form_Load();
  machine.Label3_Click();
  folder.write("data1.ini", "junk");
  info().close();
  EXPECT_FALSE(machine.state().InfoLoaded);
  EXPECT_EQ(folder.read("data1.ini"), "700\r\n");
}

TEST_F(SideWindows, TheMenuOpensTheAboutWindowAndExitSaves) {
  machine.Form_Load();
  machine.mnuAbout_Click();
  EXPECT_TRUE(about().isVisible());
  EXPECT_EQ(about().windowTitle(), QStringLiteral("О программе \"Вертуно\""));
  EXPECT_EQ(about().size(), QSize(341, 108));
  EXPECT_EQ(labelText(about(), "Label1"), QStringLiteral("Программа \"Вертуно\" для Windows"));
  EXPECT_EQ(labelText(about(), "Label2"), QStringLiteral("Программа не является рекламой игровых автоматов!"));
  EXPECT_THROW(machine.mnuExit_Click(), ProgramEnded);
  EXPECT_EQ(folder.read("data1.ini"), "1000\r\n");
}

TEST_F(SideWindows, EveryTextFitsItsLabel) {
  machine.Form_Load();
  machine.Label3_Click();
  for (QWidget* window : {static_cast<QWidget*>(&info()), static_cast<QWidget*>(&about())}) {
    for (QLabel* label : window->findChildren<QLabel*>()) {
      if (label->text().isEmpty() || label->wordWrap()) continue;
      const int width = label->fontMetrics().horizontalAdvance(label->text());
      EXPECT_LE(width, label->width()) << label->objectName().toStdString() << ": "
                                       << label->text().toStdString();
    }
  }
}

}  // namespace
}  // namespace vertuno::testing
