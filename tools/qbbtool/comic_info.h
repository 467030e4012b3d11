#pragma once
// ComicInfo.xml, the description comic readers show for an archive: the
// book's title, author, comment and home page travel in it.

#include <QByteArray>
#include <string>

namespace qbbtool {

struct ComicInfo {
  std::u16string title;    // <Title>
  std::u16string writer;   // <Writer>: the book's author
  std::u16string summary;  // <Summary>: the book's comment
  std::u16string web;      // <Web>: the book's home page
  int pageCount = 0;       // <PageCount>, written only
};

// The XML document, UTF-8. Empty fields are left out; characters XML cannot
// hold (control characters other than tab and line breaks) are dropped.
QByteArray ComicInfoXml(const ComicInfo& info);

// The fields of a ComicInfo.xml; fields it lacks, or a document that is not
// well-formed, give empty texts.
ComicInfo ParseComicInfo(const QByteArray& xml);

}  // namespace qbbtool
