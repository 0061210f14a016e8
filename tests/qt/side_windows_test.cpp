#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QStyleOptionGroupBox>
#include <QTest>
#include <QWindow>

#include "qt/title_strip_style.h"
#include "tests/qt/front_end_fixture.h"

namespace vertuno::qt::testing {
namespace {

using SideWindows = FrontEnd;

QString labelText(QWidget& window, const char* name) {
  return window.findChild<QLabel*>(QString::fromLatin1(name))->text();
}

TEST_F(SideWindows, TheRulesPanelShowsTheCountersAndOkSavesAndCloses) {
  folder.write("data1.ini", "512\r\n");
  machine.Form_Load();
  QTest::mouseClick(&window, Qt::LeftButton, {}, spot("Label3"));
  EXPECT_TRUE(info().isVisible());
  EXPECT_FALSE(info().windowFlags() & Qt::WindowMinimizeButtonHint);
  EXPECT_FALSE(info().windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_EQ(labelText(info(), "Label11"), QStringLiteral("512"));
  EXPECT_EQ(labelText(info(), "Label12"), QStringLiteral("-488"));

  folder.write("data1.ini", "junk");
  info().findChild<QPushButton*>(QStringLiteral("Command1"))->click();
  EXPECT_FALSE(info().isVisible());
  EXPECT_FALSE(machine.state().InfoLoaded);
  EXPECT_EQ(folder.read("data1.ini"), "512\r\n");
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

TEST_F(SideWindows, NeitherSideWindowIsOwnedNorEverMaximised) {
  machine.Form_Load();
  machine.mnuAbout_Click();
  machine.Label3_Click();
  for (QWidget* side : {static_cast<QWidget*>(&info()), static_cast<QWidget*>(&about())}) {
    // Owned, it would stay above the cabinet for good.
    side->winId();
    EXPECT_EQ(side->windowHandle()->transientParent(), nullptr);
    side->setWindowState(Qt::WindowMaximized);
    EXPECT_EQ(side->windowState(), Qt::WindowNoState) << "a fixed window is never maximised";
  }
}

// Run under Weston by ctest's gui_wayland: a compositor that, as GNOME's, draws no title bars,
// where Qt's stand-in would offer minimise and maximise.
TEST_F(SideWindows, WhereTheCompositorDrawsNoTitleBarsCloseIsTheOnlyOneOffered) {
  if (!QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) GTEST_SKIP() << "needs Wayland";
  machine.Form_Load();
  machine.Label3_Click();
  machine.mnuAbout_Click();
  for (QWidget* side : {&info(), &about()}) {
    ASSERT_TRUE(QTest::qWaitForWindowExposed(side));
    EXPECT_EQ(side->windowHandle()->frameMargins(), QMargins()) << "Qt drew a title bar of its own";
    const auto closeBoxes = side->findChildren<QAbstractButton*>(QStringLiteral("TitleClose"));
    ASSERT_EQ(closeBoxes.size(), 1);
    closeBoxes.front()->click();
    EXPECT_FALSE(side->isVisible());
  }
  EXPECT_FALSE(machine.state().InfoLoaded);
}

// There a message box takes the side windows' own strip: its whole title and a close box only,
// which answers as Escape does.
TEST_F(SideWindows, WhereTheCompositorDrawsNoTitleBarsAMessageBoxShowsItsWholeTitleAndCloses) {
  if (!QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) GTEST_SKIP() << "needs Wayland";
  const std::pair<const char*, MessageStyle> boxes[] = {{"Не повезло...", MessageStyle::InformationYesNo},
                                                        {"Поздравляем!", MessageStyle::InformationOk}};
  for (const auto& [title, style] : boxes) {
    QTimer look;
    QObject::connect(&look, &QTimer::timeout, [&look, title = QString::fromUtf8(title)] {
      QWidget* box = QApplication::activeModalWidget();
      if (!box || !box->windowHandle() || !box->windowHandle()->isExposed()) return;
      look.stop();
      EXPECT_EQ(box->windowHandle()->frameMargins(), QMargins()) << "Qt drew a title bar of its own";
      const auto strips = box->findChildren<QWidget*>(QStringLiteral("TitleStrip"));
      const auto closeBoxes = box->findChildren<QAbstractButton*>(QStringLiteral("TitleClose"));
      EXPECT_EQ(strips.size(), 1);
      EXPECT_EQ(closeBoxes.size(), 1);
      if (strips.size() != 1 || closeBoxes.size() != 1) {
        box->close();  // the modal box would otherwise hold the test for good
        return;
      }
      const int beside = 2 * (OwnTitleStrip.closeRightInset + OwnTitleStrip.closeSide);
      EXPECT_LE(strips.front()->fontMetrics().horizontalAdvance(title), strips.front()->width() - beside)
          << title.toStdString() << " is cut";
      closeBoxes.front()->click();
    });
    look.start(20);
    const Answer answer = view.messageBox("Вы проиграли все деньги.\r\nНачать сначала?", title, style);
    EXPECT_EQ(answer, style == MessageStyle::InformationYesNo ? Answer::No : Answer::Ok) << title;
  }
}

TEST_F(SideWindows, TheCountersCaptionSitsOnTheFramesBorderLine) {
  machine.Form_Load();
  machine.Label3_Click();
  auto* frame = info().findChild<QGroupBox*>(QStringLiteral("Frame2"));
  QStyleOptionGroupBox option;
  option.initFrom(frame);
  option.text = frame->title();
  option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
  const QRect border = frame->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxFrame, frame);
  const QRect caption = frame->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, frame);
  EXPECT_LT(caption.top(), border.top());
  EXPECT_GT(caption.bottom(), border.top());
}

// Where the label's text puts ink when nothing clips it, in the label's own coordinates.
QRect inkOf(const QLabel& label) {
  constexpr int Margin = 20;
  const QRect box = label.contentsRect();
  QImage canvas(box.size() + QSize(2 * Margin, 2 * Margin), QImage::Format_ARGB32);
  canvas.fill(Qt::transparent);
  QPainter painter(&canvas);
  painter.setFont(label.font());
  painter.drawText(QRect(QPoint(Margin, Margin), box.size()),
                   int(label.alignment()) | Qt::TextDontClip | (label.wordWrap() ? Qt::TextWordWrap : 0), label.text());
  painter.end();
  QRect ink;
  for (int y = 0; y < canvas.height(); ++y) {
    for (int x = 0; x < canvas.width(); ++x) {
      if (qAlpha(canvas.pixel(x, y)) > 0) ink |= QRect(x, y, 1, 1);
    }
  }
  return ink.translated(box.topLeft() - QPoint(Margin, Margin));
}

TEST_F(SideWindows, EveryTextFitsItsLabelWithItsGlyphsWhole) {
  machine.Form_Load();
  machine.Label3_Click();
  machine.mnuAbout_Click();
  for (QWidget* window : {static_cast<QWidget*>(&info()), static_cast<QWidget*>(&about())}) {
    for (QLabel* label : window->findChildren<QLabel*>()) {
      if (label->text().isEmpty()) continue;
      const QRect ink = inkOf(*label);
      EXPECT_TRUE(label->contentsRect().contains(ink))
          << label->objectName().toStdString() << ": " << label->text().toStdString() << " inks " << ink.y() << ".."
          << ink.bottom() << " of " << label->height();
    }
  }
}

// The empty purse's question, answered from the keyboard as a player at a desktop does.
TEST_F(SideWindows, AQuestionTakesReturnForYesAndEscapeForNo) {
  for (const auto& [key, answer] : {std::pair{Qt::Key_Return, Answer::Yes}, std::pair{Qt::Key_Escape, Answer::No}}) {
    QTimer press;
    QObject::connect(&press, &QTimer::timeout, [key = key] {
      if (QWidget* box = QApplication::activeModalWidget()) QTest::keyClick(box, key);
    });
    press.start(20);
    EXPECT_EQ(
        view.messageBox("Вы проиграли все деньги.\r\nНачать сначала?", "Не повезло...", MessageStyle::InformationYesNo),
        answer)
        << key;
  }
}

}  // namespace
}  // namespace vertuno::qt::testing
