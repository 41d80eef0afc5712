#include "qt/print_date.h"

#include <QDateTime>
#include <QLocale>

#include "qt/qt_text.h"

namespace qtui {

std::string PrintDateText() {
  const QLocale locale = QLocale::system();
  const QDateTime now = QDateTime::currentDateTime();
  return ToStdString(locale.toString(now.date(), QLocale::ShortFormat) + QLatin1Char(' ') +
                     locale.toString(now.time(), QLocale::LongFormat));
}

}  // namespace qtui
