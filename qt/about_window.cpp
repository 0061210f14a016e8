#include "qt/about_window.h"

#include <QLabel>
#include <QSvgWidget>

namespace vertuno::qt {

AboutWindow::AboutWindow()
    : CentredWindow(QStringLiteral("Form3"), QStringLiteral("О программе \"Вертуно\""),
                    QSize(341, 108)) {
  auto* picture = new QSvgWidget(QStringLiteral(":/assets/emblem.svg"), this);
  picture->setObjectName(QStringLiteral("Image1"));
  picture->setGeometry(9, 9, 83, 89);

  QFont heading(QStringLiteral("MS Sans Serif"));
  heading.setPointSizeF(8.25);
  heading.setBold(true);
  auto* title = new QLabel(QStringLiteral("Программа \"Вертуно\" для Windows"), this);
  title->setObjectName(QStringLiteral("Label1"));
  title->setGeometry(104, 8, 233, 17);
  title->setFont(heading);

  auto* notice = new QLabel(QStringLiteral("Программа не является рекламой игровых автоматов!"), this);
  notice->setObjectName(QStringLiteral("Label2"));
  notice->setGeometry(104, 32, 233, 25);
  notice->setWordWrap(true);
  notice->setAlignment(Qt::AlignLeft | Qt::AlignTop);  // two lines fill the box; none is clipped

  auto* credit = new QLabel(QStringLiteral("Нарисовано нами, 2026"), this);
  credit->setObjectName(QStringLiteral("Label3"));
  credit->setGeometry(104, 80, 145, 17);
}

}  // namespace vertuno::qt
