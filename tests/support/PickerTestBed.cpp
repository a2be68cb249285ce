#include "support/PickerTestBed.h"

#include "platform/MessageBox.h"

PickerTestBed::PickerTestBed(const QStringList& rows, const QStringList& synonymRows) {
    tables.importRows(rows, synonymRows);
    MessageBox::setSink(
        [this](MessageBox::Kind, const QString&, const QString& text) { messages_.append(text); });
}

void PickerTestBed::reset() {
    messages_.clear();
    settings_ = std::make_unique<TestSettings>();
}

std::unique_ptr<TFormNardel> PickerTestBed::activatedForm(Clipboard* clipboard) {
    auto form = std::make_unique<TFormNardel>(tables.folder(), clipboard ? *clipboard : clipboard_,
                                              store());
    form->FormActivate();
    return form;
}
