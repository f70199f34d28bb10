// The Win32 progress window and error message box.
#include <windows.h>

#include "driver/interfaccia.h"

namespace scenario {
namespace {

constexpr const wchar_t* classe_finestra = L"Form1";
constexpr int larghezza_client = 280;
constexpr int altezza_client = 179;
constexpr RECT posto_etichetta = {64, 64, 64 + 177, 64 + 53};
constexpr int punti_carattere = 24;

// A fixed-size window with a title bar and nothing to click but its system menu.
constexpr DWORD stile_finestra = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;

std::wstring largo(const std::string& testo) {
  if (testo.empty()) return {};
  const int n =
      MultiByteToWideChar(CP_UTF8, 0, testo.data(), static_cast<int>(testo.size()), nullptr, 0);
  std::wstring r(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, testo.data(), static_cast<int>(testo.size()), r.data(), n);
  return r;
}

// The window does nothing of its own: the run paints it once and never serves it.
void registra_classe(HINSTANCE istanza) {
  WNDCLASSW c{};
  c.lpfnWndProc = DefWindowProcW;
  c.hInstance = istanza;
  c.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  c.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  c.lpszClassName = classe_finestra;
  RegisterClassW(&c);
}

// "MS Sans Serif", 24 points, bold, at the screen's resolution.
HFONT crea_carattere() {
  const HDC schermo = GetDC(nullptr);
  const int altezza = -MulDiv(punti_carattere, GetDeviceCaps(schermo, LOGPIXELSY), 72);
  ReleaseDC(nullptr, schermo);
  return CreateFontW(altezza, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                     DEFAULT_PITCH | FF_DONTCARE, L"MS Sans Serif");
}

class interfaccia_win32 : public interfaccia_utente {
 public:
  ~interfaccia_win32() override {
    if (finestra_ != nullptr) DestroyWindow(finestra_);
    if (carattere_ != nullptr) DeleteObject(carattere_);
  }

  void mostra_avanzamento(const std::string& titolo) override {
    const HINSTANCE istanza = GetModuleHandleW(nullptr);
    registra_classe(istanza);
    RECT r = {0, 0, larghezza_client, altezza_client};
    AdjustWindowRect(&r, stile_finestra, FALSE);
    finestra_ = CreateWindowExW(0, classe_finestra, largo(titolo).c_str(), stile_finestra,
                                CW_USEDEFAULT, CW_USEDEFAULT, r.right - r.left, r.bottom - r.top,
                                nullptr, nullptr, istanza, nullptr);
    if (finestra_ == nullptr) return;
    crea_etichetta(istanza);
    ShowWindow(finestra_, SW_SHOWNORMAL);
    UpdateWindow(finestra_);
    RedrawWindow(finestra_, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  }

  void errore(const std::string& a) override {
    MessageBoxA(finestra_, testo_errore(a).c_str(), nullptr, MB_OK);
  }

 private:
  void crea_etichetta(HINSTANCE istanza) {
    const HWND etichetta = CreateWindowExW(
        0, L"STATIC", largo(testo_attendere).c_str(), WS_CHILD | WS_VISIBLE | SS_LEFT,
        posto_etichetta.left, posto_etichetta.top, posto_etichetta.right - posto_etichetta.left,
        posto_etichetta.bottom - posto_etichetta.top, finestra_, nullptr, istanza, nullptr);
    carattere_ = crea_carattere();
    if (etichetta != nullptr && carattere_ != nullptr) {
      SendMessageW(etichetta, WM_SETFONT, reinterpret_cast<WPARAM>(carattere_), FALSE);
    }
  }

  HWND finestra_ = nullptr;
  HFONT carattere_ = nullptr;
};

}  // namespace

std::unique_ptr<interfaccia_utente> crea_interfaccia() {
  return std::make_unique<interfaccia_win32>();
}

}  // namespace scenario
