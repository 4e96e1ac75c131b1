#include "Mirvo_mfcDlg.h"

#include "Application.h"
#include "DataExchange.h"
#include "PaintContext.h"
#include "WeightText.h"
#include "mirvo.h"
#include "resource.h"

namespace {

constexpr UINT kErrorBox = MB_OK | MB_ICONEXCLAMATION;        // 0x30
constexpr UINT kInformationBox = MB_OK | MB_ICONINFORMATION;  // 0x40

}  // namespace

Mirvo_mfcDlg::Mirvo_mfcDlg(dialogframework::Window *parent)
    : Dialog(IDD_MIRVO_MFC_DIALOG, parent),
      icon_(dialogframework::Application::Current()->LoadIconResource(IDI_MIRVO_MFC)),
      card_(MirvoOpen("KVT1")) {
    // There is no window yet: the box has no owner and comes before the
    // dialog, which then runs with the handle -1.
    if (card_ == MIRVO_INVALID_CARD) ShowMessage("Could not Open driver", "Error", kErrorBox);
}

Mirvo_mfcDlg::~Mirvo_mfcDlg() = default;

const dialogframework::MessageMap &Mirvo_mfcDlg::Messages() const {
    using dialogframework::OnClicked;
    using dialogframework::OnMessage;
    static const dialogframework::MessageRoute routes[] = {
        OnMessage(WM_PAINT, &Mirvo_mfcDlg::OnPaint),
        OnMessage(WM_QUERYDRAGICON, &Mirvo_mfcDlg::OnQueryDragIcon),
        OnClicked(IDC_READ, &Mirvo_mfcDlg::OnRead),
        OnClicked(IDC_INIT, &Mirvo_mfcDlg::OnInit),
        OnClicked(IDC_FINISH, &Mirvo_mfcDlg::OnFinish),
    };
    static const dialogframework::MessageMap map = dialogframework::MakeMessageMap(&Dialog::Messages(), routes);
    return map;
}

void Mirvo_mfcDlg::ExchangeData(dialogframework::DataExchange &exchange) {
    Dialog::ExchangeData(exchange);
    exchange.Bind(IDC_STATUS, status_);
}

bool Mirvo_mfcDlg::InitialiseDialog() {
    Dialog::InitialiseDialog();
    SetBigIcon(icon_);
    SetSmallIcon(icon_);
    return true;  // the focus goes to the first tab stop: Exit
}

LRESULT Mirvo_mfcDlg::OnPaint(WPARAM, LPARAM) {
    if (!IsMinimised()) return DefaultPaint();
    dialogframework::PaintContext paint(*this);
    Send(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(paint.Handle()), 0);
    const POINT origin = dialogframework::CentredIconOrigin(ClientRect(), GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON));
    paint.DrawIconAt(origin.x, origin.y, icon_);
    return 0;
}

LRESULT Mirvo_mfcDlg::OnQueryDragIcon(WPARAM, LPARAM) { return reinterpret_cast<LRESULT>(icon_); }

void Mirvo_mfcDlg::OnRead() {
    MIRVO_WEIGHTS4 weights;
    char line[kit::kWeightLineSize];
    kit::FormatWeightLine(MirvoGetCurrentWeight4(card_, &weights) ? weights.Channel : nullptr, line);
    status_.SetText(line);
}

void Mirvo_mfcDlg::OnInit() {
    status_.SetText("Initialising...");
    // The library call keeps the dialog from repainting until it returns.
    status_.UpdateNow();
    if (MirvoInit(card_))
        ShowMessage("Initialised OK", "Information", kInformationBox);
    else
        ShowMessage("Could not initialise", "Error", kErrorBox);
    status_.SetText("");
}

void Mirvo_mfcDlg::OnFinish() {
    if (MirvoFinish(card_))
        ShowMessage("Finished OK", "Information", kInformationBox);
    else
        ShowMessage("Could not Finish", "Error", kErrorBox);
}
