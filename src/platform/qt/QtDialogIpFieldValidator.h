// One field of the on-screen IP address control: blank, or at most three digits worth 0..255.
#pragma once

#include <QValidator>

class QtDialogIpFieldValidator final : public QValidator {
  Q_OBJECT

 public:
  using QValidator::QValidator;
  State validate(QString& input, int& pos) const override;
};
