#include "kalvenor_doc.h"

#include "app_texts.h"

CKalvenorDoc::CKalvenorDoc(QObject* parent) : QObject(parent), m_title(AppTexts::Untitled()) {}

void CKalvenorDoc::SetTitle(const QString& title) {
  if (title == m_title) return;
  m_title = title;
  emit titleChanged(m_title);
}
