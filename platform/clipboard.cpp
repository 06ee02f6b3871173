#include "platform/clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace platform {

bool SetClipboardText(std::string_view text) {
  if (!qGuiApp) return false;
  QGuiApplication::clipboard()->setText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
  return true;
}

std::string GetClipboardText() {
  if (!qGuiApp) return {};
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  if (!data || !data->hasText()) return {};
  return data->text().toStdString();
}

}  // namespace platform
