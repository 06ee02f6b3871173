#pragma once
// CAutoRichEditCtrl: a read-only text control that shows a whole RTF document
// (help topics). The RTF is read by ReadRtf (rtfreader.h) and shown with its
// paragraphs, alignment, indents, fonts, sizes, colours, bold, italic and
// underline. A text that does not begin with the RTF header is shown as
// plain text; an empty text clears the control.
//
//   auto* text = new CAutoRichEditCtrl(dialog);
//   text->SetRTF(topicText);
#include <QTextEdit>
#include <string>

#include "controls/rtfreader.h"

class CAutoRichEditCtrl : public QTextEdit {
  Q_OBJECT

 public:
  explicit CAutoRichEditCtrl(QWidget* parent = nullptr);
  ~CAutoRichEditCtrl() override;

  // Replaces the whole content.
  void SetRTF(const std::string& text);
  // The document last shown from RTF (empty after plain text or nothing).
  const RtfDocument& Document() const { return document_; }

 private:
  void Show(const RtfDocument& document);

  RtfDocument document_;
};
