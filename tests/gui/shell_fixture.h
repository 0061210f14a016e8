#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <functional>
#include <memory>

#include "machine/machine.h"
#include "machine/machine_window.h"
#include "machine/qt_host.h"
#include "stats/about_window.h"
#include "stats/info_window_view.h"
#include "stats/about_window.h"
#include "stats/info_window_view.h"
#include "unit/temp_folder.h"

namespace vertuno::testing {

struct ProgramEnded {
  int status = 0;
};

// The whole shell of one machine, with its totals file in a folder of its own.
class Shell : public ::testing::Test {
 protected:
  Shell()
      : host(QString::fromStdString(folder.path().string()),
             QString::fromStdString(folder.file("data1.ini"))),
        machine(host),
        window(machine) {
    host.attach(machine, window);
    host.endProgramHook = [](int status) { throw ProgramEnded{status}; };
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

  // Until stopped, counts and closes every pop-up menu.
  void countAndClosePopups() {
    auto* timer = new QTimer(&window);
    QObject::connect(timer, &QTimer::timeout, [this] {
      if (QWidget* popup = QApplication::activePopupWidget()) {
        ++popups;
        popup->close();
      }
    });
    timer->start(10);
  }

  TempFolder folder;
  QtHost host;
  Machine machine;
  MachineWindow window;
  InfoWindowView& info() { return host.infoWindow(); }
  AboutWindow& about() { return host.aboutWindow(); }
  QStringList messageTexts;
  QStringList buttonTexts;
  int popups = 0;
};

}  // namespace vertuno::testing
