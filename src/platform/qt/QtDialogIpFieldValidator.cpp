#include "QtDialogIpFieldValidator.h"

QValidator::State QtDialogIpFieldValidator::validate(QString& input, int&) const {
  if (input.isEmpty()) return Acceptable;
  if (input.size() > 3) return Invalid;
  for (QChar c : input)
    if (c < QLatin1Char('0') || c > QLatin1Char('9')) return Invalid;
  return input.toInt() <= 255 ? Acceptable : Invalid;
}
