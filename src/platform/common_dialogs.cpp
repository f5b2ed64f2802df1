#include "platform/common_dialogs.h"

#include <QApplication>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QStringList>
#include <QVBoxLayout>

#include <algorithm>

#include "platform/canvas.h"
#include "platform/limits.h"

namespace plotix {

namespace {
std::unique_ptr<TCommonDlgHandler>& Installed() {
  static std::unique_ptr<TCommonDlgHandler> handler = std::make_unique<TQtCommonDlgHandler>();
  return handler;
}

// Lives from its first use to the end of the event loop; between uses it has no parent,
// so it outlives the window that last asked.
QColorDialog& SharedColorDialog() {
  static QPointer<QColorDialog> dialog;
  if (!dialog) {
    dialog = new QColorDialog;
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, qApp, [] { delete dialog.data(); });
  }
  return *dialog;
}

// The font dialog selects a style by its name and falls back on its first style when a
// family names its regular style otherwise ("Book"): name the face's own style.
QString StyleName(const QString& family, bool bold, bool italic) {
  QString best;
  for (const QString& style : QFontDatabase::styles(family)) {
    const bool matches =
        (QFontDatabase::weight(family, style) >= QFont::Bold) == bold && QFontDatabase::italic(family, style) == italic;
    if (matches && (best.isEmpty() || style.size() < best.size())) best = style;  // "Book", not "Condensed"
  }
  return best;
}

QFont ToQFont(const TFontDesc& desc) {
  QFont font(QString::fromStdString(desc.name));
  font.setPointSize(desc.size > 0 ? desc.size : 8);
  font.setBold(desc.style & fsBold);
  font.setItalic(desc.style & fsItalic);
  font.setUnderline(desc.style & fsUnderline);
  font.setStrikeOut(desc.style & fsStrikeOut);
  font.setStyleName(StyleName(font.family(), font.bold(), font.italic()));
  return font;
}

void FromQFont(const QFont& font, TFontDesc& desc) {
  desc.name = font.family().toStdString();
  // The dialog's size field takes 1..512; a size it was only preset to is held there too.
  desc.size =
      std::clamp(font.pointSize() > 0 ? font.pointSize() : int(font.pixelSize() * 72 / 96), kMinFontSize, kMaxFontSize);
  desc.style = (font.bold() ? fsBold : 0) | (font.italic() ? fsItalic : 0) | (font.underline() ? fsUnderline : 0) |
               (font.strikeOut() ? fsStrikeOut : 0);
}

bool RunFileDialog(QWidget* parent, bool save, const std::string& title, const std::string& filter,
                   const std::string& defaultExt, std::string& name, int* chosenType = nullptr) {
  const QString current = QString::fromStdString(name);
  QFileDialog dialog(parent, QString::fromStdString(title), QFileInfo(current).path(), QtFileFilter(filter));
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  dialog.setDefaultSuffix(QString::fromStdString(defaultExt));
  // A name typed without an extension takes the one of the file type chosen.
  QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& chosen) {
    static const QRegularExpression pattern(QStringLiteral(R"(\*\.(\w+))"));
    if (const QRegularExpressionMatch m = pattern.match(chosen); m.hasMatch()) dialog.setDefaultSuffix(m.captured(1));
  });
  if (!current.isEmpty()) dialog.selectFile(current);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
  name = dialog.selectedFiles().front().toStdString();
  if (chosenType) *chosenType = int(std::max<qsizetype>(0, dialog.nameFilters().indexOf(dialog.selectedNameFilter())));
  return true;
}
}  // namespace

QWidget* DialogParent() {
  QWidget* parent = QApplication::activeModalWidget();
  return parent ? parent : QApplication::activeWindow();
}

bool PickColor(QWidget* parent, TColor& color) { return Installed()->PickColor(parent, color); }

bool PickFont(QWidget* parent, TFontDesc& font) { return Installed()->PickFont(parent, font); }

bool PickOpenFile(QWidget* parent, const std::string& title, const std::string& filter, const std::string& defaultExt,
                  std::string& name) {
  return Installed()->PickOpenFile(parent, title, filter, defaultExt, name);
}

bool PickSaveFile(QWidget* parent, const std::string& title, const std::string& filter, const std::string& defaultExt,
                  std::string& name, int* chosenType) {
  return Installed()->PickSaveFile(parent, title, filter, defaultExt, name, chosenType);
}

std::unique_ptr<TCommonDlgHandler> InstallCommonDlgHandler(std::unique_ptr<TCommonDlgHandler> handler) {
  std::swap(Installed(), handler);
  return handler;
}

QString QtFileFilter(const std::string& filter) {
  const QStringList parts = QString::fromStdString(filter).split(QLatin1Char('|'));
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString description = parts[i].trimmed();
    // Qt filters by the patterns in parentheses, so they must be the real ones.
    if (description.endsWith(QLatin1Char(')')) && description.contains(QLatin1Char('(')))
      description = description.left(description.lastIndexOf(QLatin1Char('('))).trimmed();
    const QString patterns = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts).join(QLatin1Char(' '));
    filters << description + QStringLiteral(" (") + patterns + QLatin1Char(')');
  }
  return filters.join(QStringLiteral(";;"));
}

// ---- Qt dialogs ----------------------------------------------------------------

bool TQtCommonDlgHandler::PickColor(QWidget* parent, TColor& color) {
  QColorDialog& dialog = SharedColorDialog();
  dialog.setParent(parent ? parent->window() : nullptr, Qt::Dialog);
  dialog.setCurrentColor(ToQColor(color));
  const bool chosen = dialog.exec() == QDialog::Accepted;
  dialog.setParent(nullptr, Qt::Dialog);
  if (!chosen) return false;
  const QColor picked = dialog.selectedColor();
  color = RGBColor(picked.red(), picked.green(), picked.blue());
  return true;
}

// Qt's font dialog has no colour, which the description carries: it is embedded in a
// dialog that adds a colour sample.
bool TQtCommonDlgHandler::PickFont(QWidget* parent, TFontDesc& font) {
  QDialog dialog(parent);
  dialog.setWindowTitle(QStringLiteral("Font"));
  auto* fonts = new QFontDialog(ToQFont(font));
  fonts->setOptions(QFontDialog::NoButtons | QFontDialog::DontUseNativeDialog);
  fonts->setWindowFlags(Qt::Widget);
  fonts->setSizeGripEnabled(false);
  auto* color = new TColorSampleButton;
  color->SetColor(font.color);
  auto* colorLabel = new QLabel(QStringLiteral("Color"));
  colorLabel->setBuddy(color);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);

  auto* bottom = new QHBoxLayout;
  bottom->addWidget(colorLabel);
  bottom->addWidget(color);
  bottom->addStretch();
  bottom->addWidget(buttons);
  auto* layout = new QVBoxLayout(&dialog);
  layout->addWidget(fonts);
  layout->addLayout(bottom);

  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  // Escape inside the embedded dialog would only hide it.
  QObject::connect(fonts, &QDialog::rejected, &dialog, &QDialog::reject);
  if (dialog.exec() != QDialog::Accepted) return false;
  FromQFont(fonts->currentFont(), font);
  font.color = color->Color();
  return true;
}

bool TQtCommonDlgHandler::PickOpenFile(QWidget* parent, const std::string& title, const std::string& filter,
                                       const std::string& defaultExt, std::string& name) {
  return RunFileDialog(parent, false, title, filter, defaultExt, name);
}

bool TQtCommonDlgHandler::PickSaveFile(QWidget* parent, const std::string& title, const std::string& filter,
                                       const std::string& defaultExt, std::string& name, int* chosenType) {
  return RunFileDialog(parent, true, title, filter, defaultExt, name, chosenType);
}

// ---- scripted answers ---------------------------------------------------------

template <class T>
bool TScriptedCommonDlgHandler::Answer(T& value) {
  if (answers_.empty()) return false;
  const TAnswer answer = std::move(answers_.front());
  answers_.pop_front();
  const T* chosen = std::get_if<T>(&answer);
  if (chosen) value = *chosen;
  return chosen != nullptr;
}

bool TScriptedCommonDlgHandler::PickColor(QWidget*, TColor& color) {
  TAsked& request = asked.emplace_back(TCommonDlgKind::Color);
  request.color = color;
  return Answer(color);
}

bool TScriptedCommonDlgHandler::PickFont(QWidget*, TFontDesc& font) {
  TAsked& request = asked.emplace_back(TCommonDlgKind::Font);
  request.font = font;
  return Answer(font);
}

bool TScriptedCommonDlgHandler::PickFile(TCommonDlgKind kind, const std::string& title, const std::string& filter,
                                         const std::string& defaultExt, std::string& name) {
  TAsked& request = asked.emplace_back(kind);
  request.title = title;
  request.filter = filter;
  request.defaultExt = defaultExt;
  request.name = name;
  return Answer(name);
}

bool TScriptedCommonDlgHandler::PickOpenFile(QWidget*, const std::string& title, const std::string& filter,
                                             const std::string& defaultExt, std::string& name) {
  return PickFile(TCommonDlgKind::OpenFile, title, filter, defaultExt, name);
}

bool TScriptedCommonDlgHandler::PickSaveFile(QWidget*, const std::string& title, const std::string& filter,
                                             const std::string& defaultExt, std::string& name, int* chosenType) {
  if (chosenType) *chosenType = typeToChoose;
  return PickFile(TCommonDlgKind::SaveFile, title, filter, defaultExt, name);
}

TScopedScriptedCommonDlgs::TScopedScriptedCommonDlgs() {
  auto handler = std::make_unique<TScriptedCommonDlgHandler>();
  handler_ = handler.get();
  previous_ = InstallCommonDlgHandler(std::move(handler));
}

TScopedScriptedCommonDlgs::~TScopedScriptedCommonDlgs() { InstallCommonDlgHandler(std::move(previous_)); }

// ---- colour sample ------------------------------------------------------------

namespace {
// The sample's face: the colour inside a thin dark frame.
QIcon SampleIcon(TColor color, QSize size) {
  QPixmap pixmap(size);
  pixmap.fill(ToQColor(color));
  QPainter painter(&pixmap);
  painter.setPen(QColor(64, 64, 64));
  painter.drawRect(0, 0, size.width() - 1, size.height() - 1);
  return QIcon(pixmap);
}
}  // namespace

TColorSampleButton::TColorSampleButton(QWidget* parent) : QToolButton(parent) {
  setIconSize(QSize(36, 14));
  setToolTip(QStringLiteral("Change Color"));
  setIcon(SampleIcon(color_, iconSize()));
  connect(this, &QToolButton::clicked, this, &TColorSampleButton::Pick);
}

void TColorSampleButton::SetColor(TColor color) {
  if (color == color_) return;
  color_ = color;
  setIcon(SampleIcon(color_, iconSize()));
  emit ColorChanged(color_);
}

bool TColorSampleButton::Pick() {
  TColor color = color_;
  if (!PickColor(this, color)) return false;
  SetColor(color);
  return true;
}

QHBoxLayout* ColorRow(TColorSampleButton* sample, QPushButton* button) {
  QObject::connect(button, &QPushButton::clicked, sample, &TColorSampleButton::Pick);
  auto* row = new QHBoxLayout;
  row->addWidget(sample);
  row->addWidget(button);
  row->addStretch();
  return row;
}

}  // namespace plotix
