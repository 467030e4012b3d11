#pragma once
// What make and build print on standard error after writing a book whose
// texts lost or changed characters code page 932 cannot hold.

#include <string>
#include <vector>

#include "book/text_losses.h"

namespace qbbtool {

// One line per field, each starting with "qbbtool COMMAND: " and naming
// the field and its characters; empty when there are no losses.
std::string TextLossReport(const std::string& command, const std::vector<qb::TextLoss>& losses);

}  // namespace qbbtool
