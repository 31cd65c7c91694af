#include "QtDialogEditValidator.h"

#include <algorithm>

#include "platform/afx/WindowSystem.h"

namespace {

int Utf8Bytes(char32_t cp) {
  return cp < 0x80 ? 1 : cp < 0x800 ? 2 : cp < 0x10000 ? 3 : 4;
}

// The number of UTF-16 units at the start of text whose encoding fits in room bytes,
// ending between characters.
int FitUnits(const QString& text, int room) {
  int units = 0;
  int used = 0;
  while (units < text.size()) {
    int step = 1;
    char32_t cp = text.at(units).unicode();
    if (text.at(units).isHighSurrogate() && units + 1 < text.size() &&
        text.at(units + 1).isLowSurrogate()) {
      cp = QChar::surrogateToUcs4(text.at(units), text.at(units + 1));
      step = 2;
    }
    // A lone surrogate is encoded as the replacement character.
    int bytes = QChar::isSurrogate(cp) ? 3 : Utf8Bytes(cp);
    if (used + bytes > room) break;
    used += bytes;
    units += step;
  }
  return units;
}

QString UpperAscii(QString text) {
  for (QChar& c : text)
    if (c >= QLatin1Char('a') && c <= QLatin1Char('z')) c = QChar(c.unicode() - 'a' + 'A');
  return text;
}

}  // namespace

QtDialogEditValidator::QtDialogEditValidator(HWND edit, QObject* parent)
    : QValidator(parent), m_edit(edit) {}

int QtDialogEditValidator::Utf8Length(const QString& text) {
  return static_cast<int>(text.toUtf8().size());
}

QValidator::State QtDialogEditValidator::validate(QString& input, int& pos) const {
  if (!IsWindow(m_edit)) return Acceptable;
  const QString& before = m_accepted;
  pos = std::clamp(pos, 0, static_cast<int>(input.size()));
  // The text after the cursor is what was after the change before it; the new text sits
  // between the common start and that tail.
  int tail = 0;
  const int maxTail =
      std::min(static_cast<int>(input.size()) - pos, static_cast<int>(before.size()));
  while (tail < maxTail && input.at(input.size() - 1 - tail) == before.at(before.size() - 1 - tail))
    ++tail;
  int head = 0;
  const int maxHead = std::min(pos, static_cast<int>(before.size()) - tail);
  while (head < maxHead && input.at(head) == before.at(head)) ++head;
  const int insertedEnd = static_cast<int>(input.size()) - tail;
  if (insertedEnd <= head) return Acceptable;  // only deleted

  QString inserted = input.mid(head, insertedEnd - head);
  if ((GetWindowStyle(m_edit) & ES_UPPERCASE) != 0) inserted = UpperAscii(inserted);
  const QString kept = input.left(head) + input.mid(insertedEnd);
  const auto limit = static_cast<long long>(::SendMessage(m_edit, EM_GETLIMITTEXT, 0, 0));
  const long long room = std::max(0LL, limit - Utf8Length(kept));
  inserted.truncate(FitUnits(inserted, static_cast<int>(std::min<long long>(room, 1 << 30))));

  QString result = input.left(head) + inserted + input.mid(insertedEnd);
  if (result == before && input != before) return Invalid;  // nothing of it fits
  input = result;
  pos = head + static_cast<int>(inserted.size());
  return Acceptable;
}
