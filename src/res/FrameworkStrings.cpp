// Texts that belong to the framework rather than to the program.
#include "res/FrameworkStrings.h"

#include "platform/afx/CDataExchange.h"
#include "platform/afx/Resources.h"

void RegisterFrameworkStrings() {
  auto& s = ResourceTable::Get().strings;
  s[AFX_IDP_PARSE_STRING_SIZE] = "Please enter no more than %1 characters.";
}
