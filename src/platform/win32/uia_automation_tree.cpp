#include "platform/win32/uia_automation_tree.h"

#include <thread>
#include <utility>

#include "platform/win32/com_apartment.h"
#include "platform/win32/uia_element.h"
#include "platform/win32/wide_text.h"

namespace qrv::win32 {

using Microsoft::WRL::ComPtr;

// Created on a thread of its own, in the multithreaded apartment, whatever
// apartment the caller is in.
std::shared_ptr<AutomationTree> UiaAutomationTree::Open() {
    MtaUsage mta;
    ComPtr<uia::IAutomation> automation;
    std::thread([&automation] {
        ComApartment com(ComApartment::Kind::MultiThreaded);
        CoCreateInstance(uia::kClsidAutomation, nullptr, CLSCTX_INPROC_SERVER,
                         IID_PPV_ARGS(&automation));
    }).join();
    if (!mta.Held() || !automation) {
        return nullptr;
    }
    return std::make_shared<UiaAutomationTree>(std::move(automation));
}

UiaAutomationTree::UiaAutomationTree(ComPtr<uia::IAutomation> automation)
    : m_automation(std::move(automation)) {}

ElementPtr UiaAutomationTree::Root() {
    ComPtr<uia::IElement> root;
    if (!m_mta.Held() || FAILED(m_automation->GetRootElement(&root)) || !root) {
        return nullptr;
    }
    return std::make_shared<UiaElement>(m_automation, std::move(root));
}

ElementPtr UiaAutomationTree::TopLevelNamed(const std::string& name) {
    HWND window = FindWindowW(nullptr, Widen(name).c_str());
    ComPtr<uia::IElement> element;
    if (!window || !m_mta.Held() || FAILED(m_automation->ElementFromHandle(window, &element)) ||
        !element) {
        return nullptr;
    }
    return std::make_shared<UiaElement>(m_automation, std::move(element));
}

}  // namespace qrv::win32
