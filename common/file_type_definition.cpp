#include "common/file_type_definition.h"

namespace qb {

const FileTypeDefinition& BookFileType() {
  static const FileTypeDefinition type{
      .className = u"QuillberryBook",
      .description = u"クイルベリーブック",
      .englishDescription = u"Quillberry picture book",
      .extension = u".qbb",
      .mimeType = u"application/x-quillberry-book",
      .parentMimeType = {},
      .magic = "*QBB*",
      .packageName = u"quillberry-book",
      .handler =
          {
              .programName = u"Quilly",
              .desktopEntryName = u"quillberry-quilly",
              .iconName = u"quillberry-quilly",
              .name = u"Quilly",
              .nameJa = u"クイルベリー ビューア",
              .comment = u"Read Quillberry picture books",
              .commentJa = u"クイルベリーブックを読みます",
              .categories = u"Graphics;Viewer;",
          },
  };
  return type;
}

const FileTypeDefinition& DataFileType() {
  static const FileTypeDefinition type{
      .className = u"QuillberryData",
      .description = u"クイルベリーデータ定義",
      .englishDescription = u"Quillberry book definition",
      .extension = u".qbd",
      .mimeType = u"application/x-quillberry-data",
      // A definition is INI text: text editors may open it too.
      .parentMimeType = u"text/plain",
      .magic = {},
      .packageName = u"quillberry-data",
      .handler =
          {
              .programName = u"QuillyEd",
              .desktopEntryName = u"quillberry-quillyed",
              .iconName = u"quillberry-quillyed",
              .name = u"QuillyEd",
              .nameJa = u"クイルベリー エディタ",
              .comment = u"Make Quillberry picture books",
              .commentJa = u"クイルベリーブックを作ります",
              .categories = u"Graphics;",
          },
  };
  return type;
}

}  // namespace qb
