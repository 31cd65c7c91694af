#include "app/CTarvexDoc.h"

BEGIN_MESSAGE_MAP(CTarvexDoc, CDocument)
END_MESSAGE_MAP()

BOOL CTarvexDoc::OnNewDocument() {
  return CDocument::OnNewDocument();
}
