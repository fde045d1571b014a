#pragma once

#include "dialwise_dialog.h"
#include "ui/ui_handles.h"

// "About <product>": the product, the program's version from its version resource and the
// copyright of the branding library.
class AboutDialog final : public DialwiseDialog {
public:
    AboutDialog();

protected:
    bool OnInitDialog() override;

private:
    ScopedIcon picture_;
};
