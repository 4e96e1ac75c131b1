// The main dialog of Mirvo_mfc: opens card "KVT1" while it is made, and its
// buttons initialise, read and finish the card.
#pragma once

#include "Dialog.h"
#include "StaticText.h"

class Mirvo_mfcDlg : public dialogframework::Dialog {
public:
    explicit Mirvo_mfcDlg(dialogframework::Window *parent);
    // Releases nothing: the card stays open and as it is.
    ~Mirvo_mfcDlg() override;

    const dialogframework::MessageMap &Messages() const override;
    void ExchangeData(dialogframework::DataExchange &exchange) override;
    bool InitialiseDialog() override;

private:
    LRESULT OnPaint(WPARAM, LPARAM);
    LRESULT OnQueryDragIcon(WPARAM, LPARAM);
    void OnRead();
    void OnInit();
    void OnFinish();

    dialogframework::StaticText status_;
    HICON icon_;
    LONG card_;
};
