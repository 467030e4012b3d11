#include "editor/edit_window.h"

#include <QCloseEvent>
#include <QDropEvent>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>

#include "common/command_line_path.h"
#include "common/file_type_association.h"
#include "common/path_helpers.h"
#include "common/ui/array_control_name.h"
#include "common/ui/common_dialog.h"
#include "common/ui/dropped_files.h"
#include "common/ui/message_box.h"
#include "common/ui/picture_box.h"
#include "editor/book_export.h"
#include "editor/definition_file.h"
#include "editor/dropped_pictures.h"
#include "editor/editor_icon.h"
#include "editor/export_messages.h"
#include "editor/file_dialog_texts.h"
#include "editor/image_list_rules.h"
#include "editor/limited_line_edit.h"
#include "editor/qt_text.h"
#include "editor/version_window.h"
#include "editor/window_export_ui.h"
#include "image/view_drawing.h"

namespace qb::editor {
namespace {

struct FieldLayout {
  const char16_t* caption;
  QRect label;
  QRect field;
  int limit;  // characters the author can type; 0 for none
};

// Client pixels at 96 dots per inch; labels 81 x 17 beside their fields.
const std::array<FieldLayout, frmEdit::kFieldCount> kFields{{
    {u"作者", {8, 8, 81, 17}, {96, 8, 153, 18}, 24},
    {u"タイトル", {8, 32, 81, 17}, {96, 32, 241, 18}, 56},
    {u"パスワード", {8, 56, 81, 17}, {96, 56, 57, 18}, 8},
    {u"価格", {192, 56, 81, 17}, {280, 56, 57, 18}, 4},
    {u"ＵＲＬ", {8, 80, 81, 17}, {96, 80, 241, 18}, 0},
    {u"E-MAIL", {8, 104, 81, 17}, {96, 104, 241, 18}, 0},
    {u"コメント", {344, 208, 81, 17}, {344, 232, 217, 225}, 0},
}};

struct ButtonLayout {
  int index;
  const char16_t* caption;
  QRect place;
  const char16_t* spokenName;  // for captions that are symbols; the caption otherwise
};

const std::array<ButtonLayout, 4> kImageButtons{{
    {0, u"追加", {8, 208, 49, 17}, nullptr},
    {1, u"削除", {56, 208, 49, 17}, nullptr},
    {2, u"↑", {120, 208, 49, 17}, u"上へ移動"},
    {3, u"↓", {168, 208, 49, 17}, u"下へ移動"},
}};

const std::array<ButtonLayout, 4> kCommandButtons{{
    {0, u"保存", {8, 464, 65, 25}, nullptr},
    {1, u"読込", {80, 464, 65, 25}, nullptr},
    {2, u"ﾊﾞｰｼﾞｮﾝ", {424, 464, 65, 25}, nullptr},
    {frmEdit::kCloseButton, u"閉じる", {496, 464, 65, 25}, nullptr},
}};

QPushButton* MakeButton(const ButtonLayout& layout, const char* array, QWidget* parent) {
  auto* button = new QPushButton(ToQString(layout.caption), parent);
  button->setObjectName(ArrayControlName(array, layout.index));
  button->setGeometry(layout.place);
  button->setAutoDefault(false);
  button->setAccessibleName(ToQString(layout.spokenName != nullptr ? layout.spokenName : layout.caption));
  return button;
}

constexpr std::u16string_view kDefinitionExtension = u".qbd";

const QRect kListPlace{8, 128, 553, 76};
const QRect kViewPlace{8, 232, 329, 225};
const QSize kClientSize{568, 496};
constexpr int kNoLimit = 32767;

}  // namespace

frmEdit::frmEdit(EditorSettings settings, std::u16string programFolder, FileTypeStore& fileTypes, QWidget* parent)
    : QWidget(parent), settings_(std::move(settings)), programFolder_(std::move(programFolder)), fileTypes_(fileTypes) {
  setObjectName(QStringLiteral("frmEdit"));
  setWindowTitle(QStringLiteral("Quillberry -Edit-"));
  setWindowIcon(EditorIcon());
  setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
  setFixedSize(kClientSize);

  // Created in tab order: the one-line fields, the list and its buttons,
  // the comment, the command buttons.
  for (int i = 0; i < kFieldCount; ++i) {
    const FieldLayout& layout = kFields[static_cast<std::size_t>(i)];
    QLabel* label = new QLabel(ToQString(layout.caption), this);
    label->setObjectName(ArrayControlName("LBL", i));
    label->setGeometry(layout.label);
    labels_[static_cast<std::size_t>(i)] = label;
    if (i == kFieldCount - 1) continue;
    auto* field = new LimitedLineEdit(layout.limit > 0 ? layout.limit : kNoLimit, this);
    field->setObjectName(ArrayControlName("FLD", i));
    field->setGeometry(layout.field);
    field->setAccessibleName(label->text());
    label->setBuddy(field);
    lineFields_[static_cast<std::size_t>(i)] = field;
  }

  list_ = new QListWidget(this);
  list_->setObjectName(QStringLiteral("ILst"));
  list_->setGeometry(kListPlace);
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  list_->setAccessibleName(QStringLiteral("画像リスト"));
  connect(list_, &QListWidget::itemSelectionChanged, this, &frmEdit::ILst_Click);
  for (const ButtonLayout& layout : kImageButtons) {
    QPushButton* button = MakeButton(layout, "IBtn", this);
    connect(button, &QPushButton::clicked, this, [this, index = layout.index] { IBtn_Click(index); });
    imageButtons_[static_cast<std::size_t>(layout.index)] = button;
  }

  view_ = new PictureBox(this);
  view_->setObjectName(QStringLiteral("VIEW"));
  view_->setGeometry(kViewPlace);
  view_->SetSunkenBorder(true);
  view_->SetBackground(kViewBackground);
  view_->Clear();
  view_->setAccessibleName(QStringLiteral("プレビュー"));

  comment_ = new QPlainTextEdit(this);
  comment_->setObjectName(ArrayControlName("FLD", kFieldCount - 1));
  comment_->setGeometry(kFields.back().field);
  comment_->setTabChangesFocus(true);
  comment_->setAccessibleName(labels_.back()->text());
  labels_.back()->setBuddy(comment_);

  for (const ButtonLayout& layout : kCommandButtons) {
    QPushButton* button = MakeButton(layout, "BTN", this);
    connect(button, &QPushButton::clicked, this, [this, index = layout.index] { BTN_Click(index); });
    buttons_[static_cast<std::size_t>(layout.index)] = button;
  }
  setAcceptDrops(true);
}

void frmEdit::Form_Load(const std::vector<std::u16string>& arguments) {
  LineField(0)->ShowText(ToQString(settings_.name));
  LineField(4)->ShowText(ToQString(settings_.url));
  LineField(5)->ShowText(ToQString(settings_.mail));
  RegisterDataType(fileTypes_, programFolder_);
  RegisterBookType(fileTypes_, programFolder_);
  // A command line of nothing but quotes names no file, so it loads nothing.
  const std::u16string path = CommandLinePath(arguments);
  if (!path.empty()) {
    show();
    ShowDefinition(path);
  }
  MarkSaved();
}

void frmEdit::BTN_Click(int index) {
  switch (index) {
    case 0: ExportBook(); break;
    case 1: OpenDefinition(); break;
    case 2: ShowVersionWindow(); break;
    case kCloseButton: close(); break;
    default: break;
  }
}

void frmEdit::IBtn_Click(int index) {
  switch (index) {
    case 0: AddImage(); break;
    case 1: DeleteImage(); break;
    case 2: MoveImage(-1); break;
    case 3: MoveImage(+1); break;
    default: break;
  }
}

void frmEdit::ILst_Click() {
  const int index = SelectedIndex();
  if (index < 0) return;
  const std::u16string path = list_->item(index)->text().toStdU16String();
  // A picture that cannot be loaded leaves the previous one in PicLoad,
  // which is then drawn again; the preview reports nothing.
  static_cast<void>(picLoad_.LoadPicture(path));
  DrawPageIntoView(view_->Canvas(), picLoad_.image(), view_->Background());
  view_->Refresh();
}

void frmEdit::ShowDefinition(const std::u16string& path) {
  std::string refusal;
  const Definition definition = LoadDefinitionFile(path, &refusal);
  if (!refusal.empty()) {
    // A folder, a device, a pipe or a file that holds no definition: what is
    // shown stays, instead of being replaced by an empty definition.
    ShowMessage(this, QStringLiteral("定義ファイルとして読み込めませんでした。\r\n") + QString::fromStdU16String(path),
                QString::fromStdU16String(std::u16string(kProgramTitle)), MessageButtons::Ok, MessageIcon::Critical);
    return;
  }
  {
    const QSignalBlocker quiet(list_);
    list_->clear();
    for (const std::u16string& image : definition.images) list_->addItem(ToQString(image));
  }
  SetSelection(-1);
  ShowFields(FieldsFromBook(definition.book));
  MarkSaved();
}

EditorFields frmEdit::Fields() const {
  const auto text = [this](int i) { return LineField(i)->text().toStdU16String(); };
  return EditorFields{text(0), text(1), text(2), text(3), text(4), text(5), comment_->toPlainText().toStdU16String()};
}

void frmEdit::ShowFields(const EditorFields& fields) {
  LineField(0)->ShowText(ToQString(fields.author));
  LineField(1)->ShowText(ToQString(fields.title));
  LineField(2)->ShowText(ToQString(fields.password));
  LineField(3)->ShowText(ToQString(fields.price));
  LineField(4)->ShowText(ToQString(fields.url));
  LineField(5)->ShowText(ToQString(fields.mail));
  comment_->setPlainText(ToQString(fields.comment));
}

std::vector<std::u16string> frmEdit::ImageList() const {
  std::vector<std::u16string> images;
  images.reserve(static_cast<std::size_t>(list_->count()));
  for (int i = 0; i < list_->count(); ++i) images.push_back(list_->item(i)->text().toStdU16String());
  return images;
}

bool frmEdit::HasUnsavedChanges() const { return Fields() != savedFields_ || ImageList() != savedImages_; }

int frmEdit::SelectedIndex() const {
  const QList<QListWidgetItem*> selected = list_->selectedItems();
  return selected.isEmpty() ? -1 : list_->row(selected.front());
}

QWidget* frmEdit::FLD(int index) const {
  if (index == kFieldCount - 1) return comment_;
  return LineField(index);
}

LimitedLineEdit* frmEdit::LineField(int index) const { return lineFields_.at(static_cast<std::size_t>(index)); }

void frmEdit::AddImage() {
  clsCommonDialog dialog;
  dialog.setHwndOwner(this);
  dialog.setDialogTitle(ToQString(kImageDialogTitle));
  dialog.setFilter(ToQString(ImageFilter(settings_.gifOption)));
  dialog.setFlags(kOpenDialogFlags);
  dialog.ShowOpen();
  if (dialog.FileName().isEmpty()) return;
  AppendImages({dialog.FileName()});
}

void frmEdit::AppendImages(const std::vector<QString>& paths) {
  if (paths.empty()) return;
  {
    const QSignalBlocker quiet(list_);
    for (const QString& path : paths) list_->addItem(path);
  }
  SetSelection(list_->count() - 1);
}

void frmEdit::DeleteImage() {
  const int index = SelectedIndex();
  if (index < 0) return;
  const QString question = list_->item(index)->text() + QStringLiteral("を\r\n　削除しますか？");
  if (ShowMessage(this, question, QStringLiteral("削除確認"), MessageButtons::YesNo, MessageIcon::Question) !=
      MessageResult::Yes) {
    return;
  }
  {
    const QSignalBlocker quiet(list_);
    delete list_->takeItem(index);
  }
  SetSelection(SelectionAfterDelete(list_->count()));
}

void frmEdit::MoveImage(int direction) {
  const int selected = SelectedIndex();
  const int target = MoveTarget(selected, direction, list_->count());
  if (target < 0) return;
  {
    const QSignalBlocker quiet(list_);
    QListWidgetItem* item = list_->takeItem(selected);
    list_->insertItem(target, item);
  }
  // The moved item is not selected again and the preview stays as it was.
  SetSelection(-1);
}

void frmEdit::OpenDefinition() {
  if (!ConfirmDiscard()) return;
  clsCommonDialog dialog;
  dialog.setHwndOwner(this);
  dialog.setDialogTitle(ToQString(kDefinitionDialogTitle));
  dialog.setInitDir(ToQString(settings_.lastFolder));
  dialog.setFilter(ToQString(DefinitionFilter()));
  dialog.setFlags(kOpenDialogFlags);
  dialog.ShowOpen();
  if (dialog.FileName().isEmpty()) return;
  LoadChosenDefinition(dialog.FileName().toStdU16String());
}

void frmEdit::LoadChosenDefinition(const std::u16string& path) {
  ShowDefinition(path);
  settings_.lastFolder = FolderOfPath(path);
  // Unwritable settings cost only the remembered values; nothing is shown.
  static_cast<void>(SaveEditorSettings(settings_));
}

bool frmEdit::ExportBook() {
  WindowExportUi ui(*this);
  const ExportResult result = editor::ExportBook(Fields(), ImageList(), settings_, picLoad_, ui);
  const bool saved =
      result.outcome == ExportResult::Outcome::Finished && result.writeStatus == kWriteOk && result.definitionSaved;
  if (saved) MarkSaved();
  return saved;
}

bool frmEdit::ConfirmDiscard() {
  if (!HasUnsavedChanges()) return true;
  switch (ShowMessage(this, QStringLiteral("変更を保存しますか？"), QStringLiteral("保存確認"),
                      MessageButtons::YesNoCancel, MessageIcon::Question)) {
    case MessageResult::Yes: return ExportBook();
    case MessageResult::No: return true;
    default: return false;
  }
}

void frmEdit::MarkSaved() {
  savedFields_ = Fields();
  savedImages_ = ImageList();
}

void frmEdit::closeEvent(QCloseEvent* event) {
  if (ConfirmDiscard()) {
    event->accept();
  } else {
    event->ignore();
  }
}

void frmEdit::ShowVersionWindow() {
  VersionWindow window(this);
  window.exec();
}

void frmEdit::SetSelection(int index) {
  {
    const QSignalBlocker quiet(list_);
    if (index < 0) {
      list_->setCurrentRow(-1);
      list_->clearSelection();
    } else {
      list_->setCurrentRow(index);
    }
  }
  if (index >= 0) ILst_Click();
}

// A definition file in a drop is loaded and the rest ignored: loading
// replaces the list, so pictures appended with it would be lost at once.
void frmEdit::dragEnterEvent(QDragEnterEvent* event) {
  const std::vector<std::u16string> dropped = DroppedLocalFiles(event->mimeData());
  if (!FirstWithExtension(dropped, kDefinitionExtension).empty() ||
      !PicturesFromDrop(dropped, settings_.gifOption).empty()) {
    event->acceptProposedAction();
  }
}

void frmEdit::dropEvent(QDropEvent* event) {
  const std::vector<std::u16string> dropped = DroppedLocalFiles(event->mimeData());
  if (const std::u16string definition = FirstWithExtension(dropped, kDefinitionExtension); !definition.empty()) {
    event->acceptProposedAction();
    if (ConfirmDiscard()) LoadChosenDefinition(definition);
    return;
  }
  std::vector<QString> pictures;
  for (const std::u16string& picture : PicturesFromDrop(dropped, settings_.gifOption))
    pictures.push_back(ToQString(picture));
  if (pictures.empty()) return;
  event->acceptProposedAction();
  AppendImages(pictures);
}

}  // namespace qb::editor
