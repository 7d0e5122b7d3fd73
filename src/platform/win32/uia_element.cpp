#include "platform/win32/uia_element.h"

#include <oleauto.h>

#include <utility>

#include "platform/win32/wide_text.h"

namespace qrv::win32 {
namespace {

using Microsoft::WRL::ComPtr;

// A property value, cleared when it goes.
class Variant {
  public:
    Variant() { VariantInit(&m_value); }
    ~Variant() { VariantClear(&m_value); }
    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;
    VARIANT* Out() { return &m_value; }
    const VARIANT& Get() const { return m_value; }

  private:
    VARIANT m_value;
};

// A string the element hands out, freed when it goes.
class Bstr {
  public:
    Bstr() = default;
    ~Bstr() { SysFreeString(m_text); }
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
    BSTR* Out() { return &m_text; }
    std::string Utf8() const {
        return m_text ? Narrow(std::wstring_view(m_text, SysStringLen(m_text))) : std::string();
    }

  private:
    BSTR m_text = nullptr;
};

}  // namespace

UiaElement::UiaElement(ComPtr<uia::IAutomation> automation, ComPtr<uia::IElement> element)
    : m_automation(std::move(automation)), m_element(std::move(element)) {}

std::string UiaElement::Name() {
    Bstr name;
    return SUCCEEDED(m_element->get_CurrentName(name.Out())) ? name.Utf8() : std::string();
}

std::string UiaElement::Value() {
    BOOL password = FALSE;
    Variant value;
    if (FAILED(m_element->get_CurrentIsPassword(&password)) || password ||
        FAILED(m_element->GetCurrentPropertyValue(uia::kValueValueProperty, value.Out())) ||
        value.Get().vt != VT_BSTR || !value.Get().bstrVal) {
        return {};
    }
    return Narrow(std::wstring_view(value.Get().bstrVal, SysStringLen(value.Get().bstrVal)));
}

bool UiaElement::Flag(uia::PropertyId id) {
    Variant value;
    return SUCCEEDED(m_element->GetCurrentPropertyValue(id, value.Out())) &&
           value.Get().vt == VT_BOOL && value.Get().boolVal != VARIANT_FALSE;
}

bool UiaElement::CanSetValue() {
    BOOL enabled = FALSE;
    return SUCCEEDED(m_element->get_CurrentIsEnabled(&enabled)) && enabled &&
           Flag(uia::kIsValuePatternAvailableProperty) && !Flag(uia::kValueIsReadOnlyProperty);
}

ElementKind UiaElement::Kind() {
    uia::ControlTypeId type = 0;
    return SUCCEEDED(m_element->get_CurrentControlType(&type)) && type == uia::kEditControlType
               ? ElementKind::Edit
               : ElementKind::Other;
}

bool UiaElement::IsInvokable() {
    return Flag(uia::kIsInvokePatternAvailableProperty);
}

int64_t UiaElement::ProcessId() {
    int id = 0;
    return SUCCEEDED(m_element->get_CurrentProcessId(&id)) ? id : 0;
}

std::vector<ElementPtr> UiaElement::Children(size_t limit) {
    std::vector<ElementPtr> children;
    ComPtr<uia::ITreeWalker> walker;
    if (FAILED(m_automation->get_ControlViewWalker(&walker)) || !walker) {
        return children;
    }
    ComPtr<uia::IElement> child;
    HRESULT result = walker->GetFirstChildElement(m_element.Get(), &child);
    while (SUCCEEDED(result) && child && children.size() < limit) {
        ComPtr<uia::IElement> next;
        result = walker->GetNextSiblingElement(child.Get(), &next);
        children.push_back(std::make_shared<UiaElement>(m_automation, std::move(child)));
        child = std::move(next);
    }
    return children;
}

bool UiaElement::ManagesDescendants() {
    return Flag(uia::kIsItemContainerPatternAvailableProperty);
}

std::optional<Rect> UiaElement::ScreenBounds() {
    RECT r{};
    if (FAILED(m_element->get_CurrentBoundingRectangle(&r)) || r.right <= r.left ||
        r.bottom <= r.top) {
        return std::nullopt;
    }
    return Rect{r.left, r.top, r.right, r.bottom};
}

bool UiaElement::Invoke() {
    ComPtr<IUnknown> pattern;
    ComPtr<uia::IInvokePattern> invoke;
    return SUCCEEDED(m_element->GetCurrentPattern(uia::kInvokePattern, &pattern)) && pattern &&
           SUCCEEDED(pattern.As(&invoke)) && SUCCEEDED(invoke->Invoke());
}

bool UiaElement::Focus() {
    return SUCCEEDED(m_element->SetFocus());
}

}  // namespace qrv::win32
