#pragma once
// frmEdit, the Editor's one working window: the book's seven fields, the
// ordered list of page pictures with its buttons and preview, and the
// buttons that export the book, load a definition file, show the version
// window and close the Editor. Its rules live in the editor rules library;
// the window holds the controls and calls them. Pictures and folders
// dropped on the window are appended as the add button appends one picture;
// a dropped definition file is loaded as the load button loads one. Work
// that differs from what was last loaded or saved is not dropped silently:
// closing and loading ask whether to save it first.

#include <QWidget>
#include <array>
#include <string>
#include <vector>

#include "common/file_type_store.h"
#include "common/settings.h"
#include "editor/editor_fields.h"
#include "image/picture_surface_qt.h"

class QLabel;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace qb {
class PictureBox;
}

namespace qb::editor {

class LimitedLineEdit;

class frmEdit : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kFieldCount = 7;   // FLD(0) .. FLD(6); FLD(6) is the comment
  static constexpr int kCloseButton = 9;  // BTN(0), BTN(1), BTN(2) and BTN(9) exist
  static inline const QColor kViewBackground{192, 192, 192};

  // The settings as loaded at start-up, the folder the program runs from
  // and where the file types are registered: taken from outside, so tests
  // run the window on temporary folders.
  frmEdit(EditorSettings settings, std::u16string programFolder, FileTypeStore& fileTypes, QWidget* parent = nullptr);

  // Prefills the author, URL and mail fields from the settings, registers
  // the definition and book file types, and loads the definition file the
  // command line names (after showing the window). A file opened this way
  // does not change the remembered folder.
  void Form_Load(const std::vector<std::u16string>& arguments);

  // 0 export, 1 load a definition file, 2 version window, 9 close.
  void BTN_Click(int index);
  // 0 add, 1 delete, 2 move up, 3 move down.
  void IBtn_Click(int index);
  // Previews the selected picture; runs whenever the selection is set.
  void ILst_Click();
  // Fills the fields and the list from a definition file; nothing selected,
  // the preview left as it was.
  void ShowDefinition(const std::u16string& path);

  EditorFields Fields() const;
  void ShowFields(const EditorFields& fields);
  std::vector<std::u16string> ImageList() const;
  int SelectedIndex() const;  // -1 when nothing is selected
  // Whether the fields or the list differ from what was last loaded (start-up
  // included) or exported.
  bool HasUnsavedChanges() const;
  const EditorSettings& Settings() const { return settings_; }

  QWidget* FLD(int index) const;
  LimitedLineEdit* LineField(int index) const;  // FLD(0) .. FLD(5)
  QPlainTextEdit* CommentField() const { return comment_; }
  QLabel* LBL(int index) const { return labels_.at(static_cast<std::size_t>(index)); }
  QPushButton* IBtn(int index) const { return imageButtons_.at(static_cast<std::size_t>(index)); }
  QPushButton* BTN(int index) const { return buttons_.at(static_cast<std::size_t>(index)); }
  QListWidget* ILst() const { return list_; }
  PictureBox* VIEW() const { return view_; }
  QtPictureSurface& PicLoad() { return picLoad_; }

 protected:
  // Asks about unsaved changes; Cancel, or a save that did not finish,
  // keeps the window open.
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void AddImage();
  // Appends paths to the list and selects (and previews) the last of them.
  void AppendImages(const std::vector<QString>& paths);
  void DeleteImage();
  void MoveImage(int direction);
  void OpenDefinition();
  // Loads a definition file the author chose (by the dialog or by a drop)
  // and remembers its folder for the next dialog.
  void LoadChosenDefinition(const std::u16string& path);
  // True when the book and its definition file were both written.
  bool ExportBook();
  // Asks 「変更を保存しますか？」 when there are unsaved changes: Yes exports,
  // No drops them, Cancel keeps them. True when the caller may go on.
  bool ConfirmDiscard();
  // Takes the fields and the list as they stand as the saved state.
  void MarkSaved();
  void ShowVersionWindow();
  // Selects item index (-1: none), then previews it as a click would.
  void SetSelection(int index);

  EditorSettings settings_;
  std::u16string programFolder_;
  FileTypeStore& fileTypes_;
  std::array<LimitedLineEdit*, kFieldCount - 1> lineFields_{};
  QPlainTextEdit* comment_ = nullptr;
  std::array<QLabel*, kFieldCount> labels_{};
  std::array<QPushButton*, 4> imageButtons_{};
  std::array<QPushButton*, kCloseButton + 1> buttons_{};
  QListWidget* list_ = nullptr;
  PictureBox* view_ = nullptr;
  QtPictureSurface picLoad_;
  EditorFields savedFields_;
  std::vector<std::u16string> savedImages_;
};

}  // namespace qb::editor
