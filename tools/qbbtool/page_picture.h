#pragma once
// One decoded page as a Qt picture, for the commands that write pictures.

#include <QImage>
#include <string>

#include "book/book_record.h"

namespace qbbtool {

// The page as an RGB32 picture that shares the page's pixel array instead
// of copying it: the rows are turned top-down and made opaque in place, so
// page.Pixels is no pixel array any more and must outlive the picture. A
// null picture when the page has no pixels or its pixel array does not
// match its size.
QImage PageAsPicture(qb::PageImage& page);

// Encodes the picture in format ("PNG", "BMP") straight into the open file
// descriptor fd, without a copy of the file in memory; error tells why not.
bool WritePicture(int fd, const QImage& picture, const char* format, std::string* error = nullptr);

// Writes the picture to path (UTF-8) as every output file is written
// (tools/qbbtool/output_file.h); error tells why not.
bool WritePictureFile(const std::string& path, const QImage& picture, const char* format, std::string* error);

}  // namespace qbbtool
