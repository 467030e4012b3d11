#include "editor/limited_line_edit.h"

#include <algorithm>

namespace qb::editor {

LimitedLineEdit::LimitedLineEdit(int limit, QWidget* parent) : QLineEdit(parent), limit_(limit), validator_(*this) {
  setValidator(&validator_);
  connect(this, &QLineEdit::textChanged, this, [this](const QString& text) { lengthBefore_ = text.size(); });
}

void LimitedLineEdit::ShowText(const QString& text) {
  showingWhole_ = true;
  setText(text);
  showingWhole_ = false;
}

QValidator::State LimitedLineEdit::LengthLimit::validate(QString& input, int& pos) const {
  const int allowed = std::max(edit_.limit_, edit_.lengthBefore_);
  if (edit_.showingWhole_ || input.size() <= allowed) return Acceptable;
  // The characters just inserted stand before the cursor: drop the newest
  // of them, never half of a surrogate pair.
  int excess = static_cast<int>(input.size()) - allowed;
  int start = std::max(0, pos - excess);
  if (start > 0 && start < input.size() && input.at(start).isLowSurrogate()) {
    --start;
    ++excess;
  }
  input.remove(start, excess);
  pos = start;
  return Acceptable;
}

}  // namespace qb::editor
