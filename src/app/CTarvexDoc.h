// The program's document: it exists because the framework needs one and holds no data.
#pragma once

#include "platform/afx/CDocument.h"

class CTarvexDoc : public CDocument {
  DECLARE_MESSAGE_MAP()

 public:
  BOOL OnNewDocument() override;
};
