#pragma once
// A window that writes the messages it handles into a shared log, one line each, so that tests can
// compare what arrived and in which order.

#include "platform/ui/Wnd.h"

#include <string>
#include <vector>

using MessageLog = std::vector<std::string>;

class LoggingWnd : public CWnd {
public:
    LoggingWnd(MessageLog* log, std::string name) : m_log(log), m_name(std::move(name)) {}

    // A child window of the default class at rect of parent.
    BOOL CreateChild(CWnd* parent, const RECT& rect, UINT id, DWORD style = WS_CHILD | WS_VISIBLE) {
        return Create(nullptr, m_name.c_str(), style, rect, parent, id);
    }
    // A borderless top-level window at rect of the screen.
    BOOL CreatePopup(const RECT& rect, LPCTSTR className = nullptr, CWnd* owner = nullptr) {
        return CreateEx(0, className, m_name.c_str(), WS_POPUP, rect, owner, 0);
    }
    void Log(const std::string& line) { m_log->push_back(m_name + " " + line); }

    bool m_logMoves = false;
    int m_createResult = 0;

protected:
    int OnCreate(LPCREATESTRUCT create) override {
        Log("create " + std::string(create->lpszName) + " " + std::to_string(create->cx) + "x" +
            std::to_string(create->cy));
        CWnd::OnCreate(create);
        return m_createResult;
    }
    void OnDestroy() override { Log("destroy"), CWnd::OnDestroy(); }
    void OnNcDestroy() override { Log("ncdestroy"), CWnd::OnNcDestroy(); }
    void OnLButtonDown(UINT flags, CPoint point) override {
        LogMouse("ldown", flags, point), CWnd::OnLButtonDown(flags, point);
    }
    void OnLButtonUp(UINT flags, CPoint point) override {
        LogMouse("lup", flags, point), CWnd::OnLButtonUp(flags, point);
    }
    void OnLButtonDblClk(UINT flags, CPoint point) override {
        LogMouse("ldbl", flags, point), CWnd::OnLButtonDblClk(flags, point);
    }
    void OnRButtonDown(UINT flags, CPoint point) override {
        LogMouse("rdown", flags, point), CWnd::OnRButtonDown(flags, point);
    }
    void OnRButtonUp(UINT flags, CPoint point) override {
        LogMouse("rup", flags, point), CWnd::OnRButtonUp(flags, point);
    }
    void OnMouseMove(UINT flags, CPoint point) override {
        if (m_logMoves)
            LogMouse("move", flags, point);
        CWnd::OnMouseMove(flags, point);
    }
    void OnMouseLeave() override { Log("leave"), CWnd::OnMouseLeave(); }
    void OnMouseHover(UINT flags, CPoint point) override {
        LogMouse("hover", flags, point), CWnd::OnMouseHover(flags, point);
    }
    void OnTimer(UINT_PTR id) override { Log("timer " + std::to_string(id)), CWnd::OnTimer(id); }
    void OnCaptureChanged(CWnd* window) override {
        Log("capturechanged");
        CWnd::OnCaptureChanged(window);
    }
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
        CWnd* sender = FromHandle(reinterpret_cast<HWND>(lParam));
        CString senderText;
        if (sender)
            sender->GetWindowText(senderText);
        Log("command " + std::to_string(LOWORD(static_cast<DWORD>(wParam))) + " code " +
            std::to_string(HIWORD(static_cast<DWORD>(wParam))) + " from " +
            (sender ? senderText.GetString() : "-"));
        return TRUE;
    }

private:
    void LogMouse(const char* what, UINT flags, CPoint point) {
        Log(std::string(what) + " " + std::to_string(point.x) + "," + std::to_string(point.y) + " flags " +
            std::to_string(flags));
    }

    MessageLog* m_log;
    std::string m_name;
};
