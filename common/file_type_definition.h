#pragma once
// The two file types the programs register with the desktop at start-up:
// what the type is called, how its files are recognised, and which program
// opens them.

#include <string>

namespace qb {

// The program that opens files of a type, as the desktop's launcher lists it.
struct FileTypeHandler {
  std::u16string programName;       // executable file name in the program folder, without ".exe"
  std::u16string desktopEntryName;  // the launcher entry's file name, without ".desktop"
  std::u16string iconName;
  std::u16string name;  // untranslated launcher name
  std::u16string nameJa;
  std::u16string comment;
  std::u16string commentJa;
  std::u16string categories;  // launcher categories, each ended by ";"
};

struct FileTypeDefinition {
  std::u16string className;           // shell class, also the key of the registered description
  std::u16string description;         // shown by the shell; its presence means "registered"
  std::u16string englishDescription;  // untranslated comment of the desktop's type database
  std::u16string extension;           // with its leading "."
  std::u16string mimeType;
  std::u16string parentMimeType;  // empty when the type derives from no other
  std::string magic;              // bytes at offset 0 that mark a file of the type; empty for none
  std::u16string packageName;     // the type database package's file name, without ".xml"
  FileTypeHandler handler;
};

// The picture book (".qbb"), opened by the Viewer.
const FileTypeDefinition& BookFileType();

// The book definition (".qbd"), opened by the Editor.
const FileTypeDefinition& DataFileType();

}  // namespace qb
