#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <functional>
#include <memory>

#include "machine/cabinet.h"
#include "machine/machine.h"
#include "qt/centred_window.h"
#include "qt/info_window_view.h"
#include "qt/machine_window.h"
#include "qt/platform.h"
#include "qt/view.h"
#include "tests/core/temp_folder.h"

namespace vertuno::qt::testing {

using vertuno::testing::TempFolder;

struct ProgramEnded {
  int status = 0;
};

// The Qt platform, except that ending the program is something a test can catch.
class TestPlatform : public QtPlatform {
 public:
  using QtPlatform::QtPlatform;
  [[noreturn]] void endProgram(int status) override { throw ProgramEnded{status}; }
};

// The whole Qt front end of one machine, with its totals file in a folder of its own.
class FrontEnd : public ::testing::Test {
 protected:
  FrontEnd() : host(folder.path().string(), folder.file("data1.ini")), machine(host, view), window(machine) {
    view.attach(machine, window);
    host.attach(machine);
  }

  // The middle of a hot spot, where the player presses it on the window.
  static QPoint spot(const char* name) {
    const Box& box = hotSpotNamed(name)->box;
    return {box.left + box.width / 2, box.top + box.height / 2};
  }
  QLabel& text(const QString& name) const { return *window.findChild<QLabel*>(name, Qt::FindDirectChildrenOnly); }
  static QWidget& topLevel(const char* name) {
    for (QWidget* shown : QApplication::topLevelWidgets()) {
      if (shown->objectName() == QLatin1String(name)) return *shown;
    }
    ADD_FAILURE() << "no window " << name;
    static QWidget none;
    return none;
  }

  // Until stopped, answers every modal message box with the button of that text.
  void answerMessageBoxesWith(const QString& buttonText) {
    auto* timer = new QTimer(&window);
    QObject::connect(timer, &QTimer::timeout, [this, buttonText] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box) return;
      messageTexts.append(box->text());
      for (QAbstractButton* button : box->buttons()) {
        buttonTexts.append(button->text());
        if (button->text() == buttonText) button->click();
      }
    });
    timer->start(20);
  }

  TempFolder folder;
  TestPlatform host;
  QtView view;
  Machine machine;
  MachineWindow window;
  // The side windows as the player finds them on the desktop.
  QWidget& info() const { return topLevel("Form2"); }
  QWidget& about() const { return topLevel("Form3"); }
  QStringList messageTexts;
  QStringList buttonTexts;
};

}  // namespace vertuno::qt::testing
