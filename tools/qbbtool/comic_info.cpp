#include "tools/qbbtool/comic_info.h"

#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace qbbtool {
namespace {

bool XmlCharacter(char32_t c) {
  return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) || (c >= 0xE000 && c <= 0xFFFD) ||
         (c >= 0x10000 && c <= 0x10FFFF);
}

QString XmlText(const std::u16string& text) {
  QString clean;
  for (const char32_t c : QString::fromStdU16String(text).toUcs4()) {
    if (XmlCharacter(c)) clean += QString::fromUcs4(&c, 1);
  }
  return clean;
}

}  // namespace

QByteArray ComicInfoXml(const ComicInfo& info) {
  QByteArray xml;
  QXmlStreamWriter writer(&xml);
  writer.setAutoFormatting(true);
  writer.writeStartDocument();
  writer.writeStartElement(QStringLiteral("ComicInfo"));
  writer.writeNamespace(QStringLiteral("http://www.w3.org/2001/XMLSchema"), QStringLiteral("xsd"));
  writer.writeNamespace(QStringLiteral("http://www.w3.org/2001/XMLSchema-instance"), QStringLiteral("xsi"));
  // The readers' schema is a sequence: the elements keep its order.
  const auto field = [&](const char* name, const std::u16string& value) {
    if (!value.empty()) writer.writeTextElement(QString::fromLatin1(name), XmlText(value));
  };
  field("Title", info.title);
  field("Summary", info.summary);
  field("Writer", info.writer);
  field("Web", info.web);
  if (info.pageCount > 0) writer.writeTextElement(QStringLiteral("PageCount"), QString::number(info.pageCount));
  writer.writeEndElement();
  writer.writeEndDocument();
  return xml;
}

ComicInfo ParseComicInfo(const QByteArray& xml) {
  ComicInfo info;
  QXmlStreamReader reader(xml);
  if (!reader.readNextStartElement() || reader.name() != QLatin1String("ComicInfo")) return {};
  while (reader.readNextStartElement()) {
    const QString name = reader.name().toString();
    std::u16string* field = name == QLatin1String("Title")     ? &info.title
                            : name == QLatin1String("Writer")  ? &info.writer
                            : name == QLatin1String("Summary") ? &info.summary
                            : name == QLatin1String("Web")     ? &info.web
                                                               : nullptr;
    if (field == nullptr) {
      reader.skipCurrentElement();
      continue;
    }
    *field = reader.readElementText(QXmlStreamReader::IncludeChildElements).toStdU16String();
  }
  if (reader.hasError()) return {};
  return info;
}

}  // namespace qbbtool
