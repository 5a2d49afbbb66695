#include "basestation/BsListRows.h"

#include <algorithm>
#include <cstdio>
#include <deque>
#include <string>

#include "basestation/BsControlText.h"
#include "basestation/BsReportBlock.h"
#include "basestation/BsRow.h"
#include "basestation/BsStationIndex.h"
#include "service/BmHalApi.h"
#include "ui/PrivateMessages.h"
#include "uilib/UIlib.h"

BsListRows *g_pBsListRows = nullptr;

namespace {

// How long a pass waits for the UI thread to remove the rows it found gone. The UI
// thread answers within a message; the limit only keeps a stuck UI thread from stopping
// the poller for good.
const DWORD kGoneAckTimeoutMs = 10000;

// Holds the list lock for one scope.
class LockScope {
public:
    explicit LockScope(CRITICAL_SECTION *lock) : m_lock(lock) {
        if (m_lock) ::EnterCriticalSection(m_lock);
    }
    ~LockScope() {
        if (m_lock) ::LeaveCriticalSection(m_lock);
    }
    LockScope(const LockScope &) = delete;
    LockScope &operator=(const LockScope &) = delete;

private:
    CRITICAL_SECTION *m_lock;
};

}  // namespace

struct BsListRows::Impl {
    CListUI *list = nullptr;
    CRITICAL_SECTION *lock = nullptr;
    HWND mainWnd = nullptr;
    // Set by the UI thread once it has removed the rows a pass found gone.
    HANDLE goneAck = nullptr;
    // Guarded by the list lock: the listed stations, read by the poller.
    bs::BsStationIndex stations;
    // UI thread only: serials pushed by the dialog whose rows are still to go.
    std::deque<std::string> pushed;

    // UI thread, list lock held.
    void RemoveRow(void *handle) {
        CControlUI *row = static_cast<CControlUI *>(handle);
        if (!list || !row) return;
        int index = -1;
        if (IListItemUI *item = static_cast<IListItemUI *>(row->GetInterface(L"ListItem"))) index = item->GetIndex();
        if (index < 0 || index >= list->GetCount() || list->GetItemAt(index) != row) index = list->GetItemIndex(row);
        if (index >= 0) list->RemoveAt(index);
    }

    void RemoveGoneRows() {
        for (void *row : stations.TakeGone()) RemoveRow(row);
    }

    bool OnUiThread() const {
        return mainWnd && ::GetWindowThreadProcessId(mainWnd, nullptr) == ::GetCurrentThreadId();
    }
};

BsListRows::BsListRows() : m_impl(new Impl) { m_impl->goneAck = ::CreateEventW(nullptr, FALSE, FALSE, nullptr); }

BsListRows::~BsListRows() {
    if (g_pBsListRows == this) g_pBsListRows = nullptr;
    if (m_impl->goneAck) ::CloseHandle(m_impl->goneAck);
    delete m_impl;
}

void BsListRows::Attach(CListUI *list, CRITICAL_SECTION *lock, HWND mainWnd) {
    m_impl->list = list;
    m_impl->lock = lock;
    m_impl->mainWnd = mainWnd;
    {
        LockScope hold(lock);
        m_impl->stations.Clear();
    }
    g_pBsListRows = this;
}

void WriteReportLine(const char *serial) {
    char line[bs::kTextBufferBytes + 2];
    const int length = std::snprintf(line, sizeof line, "%s.\n", serial);
    if (length > 0) std::fwrite(line, 1, std::min<size_t>(static_cast<size_t>(length), sizeof line - 1), stdout);
}

LRESULT BsListRows::OnBsReport(WPARAM wParam, LPARAM) {
    BsReportBlock *block = bs::TakeReportBlock(wParam);
    if (!block) return 0;
    WriteReportLine(block->serial);

    Impl &d = *m_impl;
    if (d.list) {
        const bs::BsRowTexts texts = bs::RecordToRow(block->serial, block->record);
        const std::wstring shown = bs::AnsiToWide(texts[0].c_str());
        // The station is known by what its column 0 reads back, as the poller and the
        // dialog read it: a serial outside the ASCII range changes on the way.
        char serial[bs::kTextBufferBytes];
        bs::WideToOem(shown.c_str(), serial, sizeof serial);

        LockScope hold(d.lock);
        bs::Station *station = d.stations.Find(serial);
        if (station && station->gone) {
            // A pass found it gone and its row has not gone yet: the row goes now and
            // the report lists the station again at the end, as if the pass had
            // removed the row before the report arrived.
            d.RemoveRow(station->row);
            d.stations.Remove(station);
            station = nullptr;
        }
        if (!station) {
            CListTextElementUI *row = new CListTextElementUI;
            row->SetFixedHeight(bs::kRowHeight);
            d.list->Add(row);
            row->SetText(0, shown.c_str());
            for (int column = 1; column < bs::kRowColumns; ++column)
                row->SetText(column, bs::AnsiToWide(texts[column].c_str()).c_str());
            d.stations.Add(serial, row);
        }
    }
    bs::FreeReportBlock(block);
    return 0;
}

LRESULT BsListRows::OnRemoveSelected() {
    Impl &d = *m_impl;
    if (!d.list) {
        d.pushed.clear();
        return 0;
    }
    LockScope hold(d.lock);
    while (!d.pushed.empty()) {
        const std::string serial = d.pushed.front();
        d.pushed.pop_front();
        if (bs::Station *station = d.stations.Find(serial.c_str())) {
            d.RemoveRow(station->row);
            d.stations.Remove(station);
        }
    }
    return 0;
}

LRESULT BsListRows::OnBsGone(WPARAM, LPARAM) {
    Impl &d = *m_impl;
    {
        LockScope hold(d.lock);
        d.RemoveGoneRows();
    }
    if (d.goneAck) ::SetEvent(d.goneAck);
    return 0;
}

void BsListRows::PollBsPresence() {
    Impl &d = *m_impl;
    size_t gone = 0;
    {
        LockScope hold(d.lock);
        gone = d.stations.Pass([](const std::string &serial) {
            char buffer[bs::kTextBufferBytes];
            bs::CopyBounded(buffer, sizeof buffer, serial.c_str());
            BsConfig out;  // the status call's out area, never read
            return BmHalBsStatus(buffer, &out);
        });
    }
    if (gone == 0) return;
    // Rows belong to the UI thread: it removes them, and this pass ends only when it
    // has, so that no gone station's row outlives the pass.
    if (d.OnUiThread()) {
        OnBsGone(0, 0);
        return;
    }
    HandOverGoneRows(d.mainWnd, d.goneAck, kGoneAckTimeoutMs);
}

void HandOverGoneRows(HWND mainWnd, HANDLE ack, DWORD timeoutMs) {
    if (!mainWnd) return;
    if (ack) ::ResetEvent(ack);
    if (::PostMessageW(mainWnd, WM_BS_GONE, 0, 0) && ack) ::WaitForSingleObject(ack, timeoutMs);
}

void BsListRows::NotePushed(const char *serial) { m_impl->pushed.push_back(bs::SerialKey(serial)); }

int BsListRows::RowCount() const { return m_impl->list ? m_impl->list->GetCount() : 0; }

void PollBsPresence() {
    if (g_pBsListRows) g_pBsListRows->PollBsPresence();
}
