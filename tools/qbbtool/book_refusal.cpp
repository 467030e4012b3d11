#include "tools/qbbtool/book_refusal.h"

#include "book/book_reader.h"
#include "tools/qbbtool/commands.h"

namespace qbbtool {

Refusal RefuseBook(qb::BookStatus status, const std::string& path) {
  switch (status) {
    case qb::kBookNotABook: return {kExitNotABook, path + " is not a book file (it does not start with *QBB*)"};
    case qb::kBookCheckFailed:
      return {kExitCheckFailed, path + " is damaged: its header check byte does not match its key"};
    default: return {kExitDamaged, path + " cannot be read as a book: it is missing, unreadable, truncated or damaged"};
  }
}

}  // namespace qbbtool
