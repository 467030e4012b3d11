#include "tools/qbbtool/text_loss_report.h"

#include "common/utf8.h"

namespace qbbtool {
namespace {

const char* FieldName(qb::BookText field) {
  switch (field) {
    case qb::BookText::Author: return "author";
    case qb::BookText::Title: return "title";
    case qb::BookText::Password: return "password";
    case qb::BookText::Comment: return "comment";
    case qb::BookText::Url: return "home page";
    case qb::BookText::Mail: return "mail address";
  }
  return "";
}

}  // namespace

std::string TextLossReport(const std::string& command, const std::vector<qb::TextLoss>& losses) {
  std::string report;
  for (const qb::TextLoss& loss : losses) {
    report += "qbbtool " + command + ": the book's " + FieldName(loss.field) +
              " holds a look-alike or ? for characters code page 932 lacks: " + qb::ToUtf8(loss.characters) + "\n";
  }
  return report;
}

}  // namespace qbbtool
