#include "kalvenor_doc.h"

#include "app_texts.h"

KalvenorDoc::KalvenorDoc(QObject* parent) : QObject(parent), m_title(AppTexts::Untitled()) {}

void KalvenorDoc::SetTitle(const QString& title) {
  if (title == m_title) return;
  m_title = title;
  emit titleChanged(m_title);
}
