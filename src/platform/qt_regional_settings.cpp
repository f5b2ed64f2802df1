#include "platform/qt_regional_settings.h"

#include <QLocale>

#include "platform/regional_settings.h"

namespace plotix {

void LoadRegionalFromSystem() {
  const QLocale locale = QLocale::system();
  TRegionalSettings& r = Regional();
  const QString dec = locale.decimalPoint();
  // Number texts are 8-bit: a separator outside ASCII falls back to the defaults.
  r.decimalSeparator = dec.size() == 1 && dec[0].unicode() < 0x80 ? char(dec[0].unicode()) : '.';
  r.thousandSeparator = locale.groupSeparator().toStdString();
  if (r.thousandSeparator == std::string(1, r.decimalSeparator)) r.thousandSeparator.clear();
  const QString symbol = locale.currencySymbol(QLocale::CurrencySymbol);
  if (!symbol.isEmpty()) r.currencyString = symbol.toStdString();
  // Where the symbol stands: format a known amount and look.
  const QString sample = locale.toCurrencyString(1.0, symbol);
  const QString negative = locale.toCurrencyString(-1.0, symbol);
  const bool before = sample.startsWith(symbol);
  const bool spaced = before ? sample.mid(symbol.size(), 1).trimmed().isEmpty()
                             : sample.chopped(symbol.size()).endsWith(QChar(' ')) ||
                                   sample.chopped(symbol.size()).endsWith(QChar(0xA0));
  r.currencyFormat = (before ? 0 : 1) + (spaced ? 2 : 0);
  if (negative.startsWith('('))
    r.negCurrFormat = before ? (spaced ? 14 : 0) : (spaced ? 15 : 4);
  else if (before)
    r.negCurrFormat = negative.startsWith('-') ? (spaced ? 9 : 1) : (spaced ? 12 : 2);
  else
    r.negCurrFormat = spaced ? 8 : 5;
}

}  // namespace plotix
