#include "services/cpvdialog.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "i18n/translation.h"
#include "platform/clipboard.h"
#include "platform/fonts.h"
#include "services/appflags.h"
#include "services/translate_ui.h"

using platform::IDCANCEL;
using platform::IDOK;

namespace {

std::function<QIcon(int)>& CommandIconSource() {
  static std::function<QIcon(int)> source;
  return source;
}

QColor ToQColor(platform::ColorRef color) {
  return QColor(platform::GetRValue(color), platform::GetGValue(color), platform::GetBValue(color));
}

}  // namespace

void SetCommandIconSource(std::function<QIcon(int)> source) { CommandIconSource() = std::move(source); }

// ------------------------------------------------------------ FixedFontHolder

void FixedFontHolder::Apply(const QWidget& dialog, QWidget* control) {
  if (!font_) {
    const QFont own = dialog.font();
    QFont font(platform::ResolveFontFamily("Courier"));
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setWeight(QFont::Normal);
    if (own.pixelSize() > 0) font.setPixelSize(own.pixelSize());
    else font.setPointSizeF(own.pointSizeF());
    font_ = font;
  }
  if (control) control->setFont(*font_);
}

// ----------------------------------------------------------- CpvGuardedDialog

namespace {

// The hint of a refused character, in the user's language.
void InstallCodePageHint() {
  platform::SetCodePageHint([] {
    return TranslateString(60103, "Dieses Zeichen kann nicht gespeichert werden und wurde entfernt.");
  });
}

}  // namespace

CpvGuardedDialog::CpvGuardedDialog(int templateId, QWidget* parent) : platform::Dialog(templateId, parent) {
  // The shell's part of every opening; set again here so that it stands
  // whoever constructed a dialog first.
  platform::SetDialogOpenHook(&CpvGuardedDialog::OpenHook);
  InstallCodePageHint();
}

void CpvGuardedDialog::OpenHook(platform::Dialog& dialog) {
  if (auto* guarded = dynamic_cast<CpvGuardedDialog*>(&dialog)) guarded->Opening();
}

void CpvGuardedDialog::Opening() {
  for (auto& button : disabled_)
    if (button) button->setEnabled(true);
  disabled_.clear();
  readOnly_ = !IsEditAllowed();
  if (!readOnly_) return;
  std::vector<QWidget*> confirming;
  for (int id : ConfirmingIds()) confirming.push_back(GetDlgItem(id));
  // OK of a standard button box too.
  for (auto* box : findChildren<QDialogButtonBox*>()) confirming.push_back(box->button(QDialogButtonBox::Ok));
  for (QWidget* button : confirming) {
    if (!button || !button->isEnabled()) continue;
    button->setEnabled(false);
    disabled_.emplace_back(button);
  }
}

int CpvGuardedDialog::DoModal() {
  platform::SetDialogOpenHook(&CpvGuardedDialog::OpenHook);
  const int result = platform::Dialog::DoModal();
  // Whatever ended it, a read-only opening confirms nothing.
  return readOnly_ && result == IDOK ? IDCANCEL : result;
}

void CpvGuardedDialog::accept() {
  if (readOnly_) return;
  platform::Dialog::accept();
}

void CpvGuardedDialog::done(int result) { EndDialog(result); }

void CpvGuardedDialog::EndDialog(int result) {
  if (readOnly_ && result == IDOK) return;
  platform::Dialog::EndDialog(result);
}

void CpvGuardedDialog::EnableItem(int id, bool enable) {
  if (readOnly_ && enable) {
    const auto ids = ConfirmingIds();
    if (std::find(ids.begin(), ids.end(), id) != ids.end()) return;
  }
  platform::Dialog::EnableItem(id, enable);
}

// ------------------------------------------------------------------ CpvDialog

CpvDialog::CpvDialog(int templateId, QWidget* parent) : CpvGuardedDialog(templateId, parent) {}

CpvDialog::~CpvDialog() = default;

void CpvDialog::Opening() {
  CpvGuardedDialog::Opening();
  TranslateDialog(this, template_id(), subId_);
}

bool CpvDialog::OnInitDialog() {
  if (iconCommand_ != 0 && CommandIconSource()) {
    const QIcon icon = CommandIconSource()(iconCommand_);
    if (!icon.isNull()) setWindowIcon(icon);
  }
  return true;
}

void CpvDialog::SetItemColor(int id, platform::ColorRef color) {
  auto it = std::find_if(colors_.begin(), colors_.end(), [id](const IDColor& e) { return e.id == id; });
  if (it == colors_.end()) it = colors_.insert(colors_.end(), IDColor{id, false, color});
  it->color = color;
  it->enabled = true;
  ApplyColor(*it);
}

void CpvDialog::ClearItemColor(int id) {
  auto it = std::find_if(colors_.begin(), colors_.end(), [id](const IDColor& e) { return e.id == id; });
  if (it == colors_.end()) return;
  it->enabled = false;
  ApplyColor(*it);
}

void CpvDialog::SetItemColorIf(int id, platform::ColorRef color, bool on) {
  if (on) SetItemColor(id, color);
  else ClearItemColor(id);
}

std::optional<platform::ColorRef> CpvDialog::ItemColor(int id) const {
  for (const IDColor& e : colors_)
    if (e.id == id && e.enabled) return e.color;
  return std::nullopt;
}

// Only the background takes the colour; the text keeps its own.
void CpvDialog::ApplyColor(const IDColor& entry) {
  QWidget* w = GetDlgItem(entry.id);
  if (!w) return;
  auto original = std::find_if(originalLooks_.begin(), originalLooks_.end(),
                               [&](const OriginalLook& o) { return o.id == entry.id; });
  if (original == originalLooks_.end())
    original = originalLooks_.insert(originalLooks_.end(), OriginalLook{entry.id, w->palette(), w->autoFillBackground()});
  if (!entry.enabled) {
    w->setPalette(original->palette);
    w->setAutoFillBackground(original->autoFill);
  } else {
    QPalette palette = original->palette;
    const QColor color = ToQColor(entry.color);
    for (auto role : {QPalette::Window, QPalette::Base, QPalette::Button}) palette.setColor(role, color);
    w->setPalette(palette);
    w->setAutoFillBackground(true);
  }
  w->update();
}

void CpvDialog::SetFixedFont(int id) { fixedFont_.Apply(*this, GetDlgItem(id)); }

void CpvDialog::CopyTextToClipboard(const std::string& text) { platform::SetClipboardText(text); }

std::string CpvDialog::GetClipboardText() const { return platform::GetClipboardText(); }

// ------------------------------------------------------------ CpvPropertyPage

CpvPropertyPage::CpvPropertyPage(int templateId, QWidget* parent) : platform::Dialog(templateId, parent) {
  InstallCodePageHint();
}

CpvPropertyPage::~CpvPropertyPage() = default;

void CpvPropertyPage::Open() {
  modified_ = false;
  TranslateDialog(this, template_id(), subId_);
  OnInitDialog();
}

void CpvPropertyPage::showEvent(QShowEvent* event) { QDialog::showEvent(event); }

void CpvPropertyPage::keyPressEvent(QKeyEvent* event) { event->ignore(); }

void CpvPropertyPage::SetFixedFont(int id) { fixedFont_.Apply(*this, GetDlgItem(id)); }

void CpvPropertyPage::SetModifiedIfEditable(bool modified) {
  if (!IsEditAllowed() || (sheet_ && sheet_->IsReadOnly())) return;
  modified_ = modified;
  if (sheet_) sheet_->PageModified();
}

bool CpvPropertyPage::OnApply() {
  OnOK();
  return true;
}

// ----------------------------------------------------------- CpvPropertySheet

CpvPropertySheet::CpvPropertySheet(int sheetId, const std::string& caption, QWidget* parent)
    : CpvGuardedDialog(sheetId, parent) {
  setWindowTitle(QString::fromStdString(caption));
  auto* layout = new QVBoxLayout(this);
  tabs_ = new QTabWidget(this);
  layout->addWidget(tabs_);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  auto addButton = [&](const char* text, int id) {
    auto* button = new QPushButton(QString::fromUtf8(text), this);
    button->setAutoDefault(false);
    platform::SetControlId(button, id);
    buttons->addWidget(button);
    return button;
  };
  addButton("OK", IDOK);
  addButton(TranslateString(66014, "Abbrechen").c_str(), IDCANCEL);
  apply_ = addButton(TranslateString(66015, "Übernehmen").c_str(), ID_APPLY_NOW);
  apply_->setEnabled(false);
  connect(apply_, &QPushButton::clicked, this, [this] { OnApplyNow(); });
  layout->addLayout(buttons);
  connect(tabs_, &QTabWidget::currentChanged, this, &CpvPropertySheet::TabChanged);
}

// The page left is told first; a page that refuses stays in front.
void CpvPropertySheet::TabChanged(int index) {
  if (switching_ || activeIndex_ < 0) return;
  CpvPropertyPage* old = GetPage(activeIndex_);
  if (old && index != activeIndex_ && !old->OnKillActive()) {
    switching_ = true;
    tabs_->setCurrentIndex(activeIndex_);
    switching_ = false;
    return;
  }
  activeIndex_ = index;
  if (CpvPropertyPage* page = GetPage(index)) page->OnSetActive();
}

// The pages belong to the caller: they leave the tabs before the sheet's
// children are deleted.
CpvPropertySheet::~CpvPropertySheet() {
  for (auto& page : pages_) {
    if (!page) continue;
    page->sheet_ = nullptr;
    page->setParent(nullptr);
  }
}

void CpvPropertySheet::AddPage(CpvPropertyPage* page) {
  if (!page) return;
  page->setWindowFlags(Qt::Widget);
  page->sheet_ = this;
  pages_.emplace_back(page);
  tabs_->addTab(page, page->windowTitle());
}

CpvPropertyPage* CpvPropertySheet::GetPage(int index) const {
  if (index < 0 || index >= GetPageCount()) return nullptr;
  return pages_[static_cast<std::size_t>(index)];
}

int CpvPropertySheet::GetActiveIndex() const { return tabs_->currentIndex(); }

void CpvPropertySheet::SetActivePage(int index) { tabs_->setCurrentIndex(index); }

void CpvPropertySheet::Opening() {
  CpvGuardedDialog::Opening();
  if (apply_) apply_->setEnabled(false);
  for (auto& page : pages_) {
    if (!page) continue;
    page->Open();
    const int index = tabs_->indexOf(page);
    if (index >= 0) tabs_->setTabText(index, page->windowTitle());
  }
  activeIndex_ = tabs_->currentIndex();
  if (CpvPropertyPage* page = GetPage(activeIndex_)) page->OnSetActive();
}

void CpvPropertySheet::PageModified() {
  const bool any = std::any_of(pages_.begin(), pages_.end(), [](const auto& p) { return p && p->IsModified(); });
  if (apply_ && !IsReadOnly()) apply_->setEnabled(any);
}

bool CpvPropertySheet::ApplyPages() {
  if (CpvPropertyPage* active = GetPage(GetActiveIndex()); active && !active->OnKillActive()) return false;
  for (std::size_t i = 0; i < pages_.size(); ++i) {
    if (pages_[i] && !pages_[i]->OnApply()) {
      SetActivePage(static_cast<int>(i));
      return false;
    }
  }
  for (auto& page : pages_)
    if (page) page->modified_ = false;
  if (apply_) apply_->setEnabled(false);
  return true;
}

void CpvPropertySheet::OnOK() {
  if (IsReadOnly()) return;
  if (ApplyPages()) EndDialog(IDOK);
}

void CpvPropertySheet::OnCancel() { EndDialog(IDCANCEL); }

bool CpvPropertySheet::OnApplyNow() {
  if (IsReadOnly()) return false;
  return ApplyPages();
}

// ---------------------------------------------------------------- CpvFormView

CpvFormView::CpvFormView(int templateId, QWidget* parent) : QWidget(parent), templateId_(templateId) {}

CpvFormView::~CpvFormView() = default;

void CpvFormView::OnInitialUpdate() {
  TranslateDialog(this, templateId_, subId_);
  OnUpdate();
}

// ------------------------------------------------------------------- helpers

bool SelectComboItemByData(QComboBox* combo, long long data) {
  if (!combo) return false;
  for (int i = 0; i < combo->count(); ++i) {
    bool ok = false;
    const long long value = combo->itemData(i).toLongLong(&ok);
    if (ok && value == data) {
      combo->setCurrentIndex(i);
      return true;
    }
  }
  return false;
}
