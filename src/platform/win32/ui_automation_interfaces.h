#pragma once

// The UI Automation client interfaces this backend calls, declared here
// because the compiler's Windows headers lack them. Each interface lists its
// methods in vtable order up to the last one used; slots in between that are
// never called are placeholders of the same width.

#include <windows.h>

#include <oaidl.h>
#include <unknwn.h>

namespace qrv::win32::uia {

using PropertyId = int;
using PatternId = int;
using ControlTypeId = int;

constexpr PatternId kInvokePattern = 10000;
constexpr PropertyId kNameProperty = 30005;
constexpr PropertyId kIsInvokePatternAvailableProperty = 30031;
constexpr PropertyId kIsValuePatternAvailableProperty = 30043;
constexpr PropertyId kValueValueProperty = 30045;
constexpr PropertyId kValueIsReadOnlyProperty = 30046;
constexpr PropertyId kIsItemContainerPatternAvailableProperty = 30108;
constexpr ControlTypeId kEditControlType = 50004;
constexpr int kTreeScopeDescendants = 0x04;

// CLSID_CUIAutomation.
constexpr GUID kClsidAutomation = {
    0xff48dba4, 0x60ef, 0x4201, {0xaa, 0x87, 0x54, 0x10, 0x3e, 0xef, 0x59, 0x4e}};

// A vtable slot that is never called.
#define QRV_UIA_UNUSED(n) virtual HRESULT STDMETHODCALLTYPE Unused##n() = 0

struct IElement;

struct IInvokePattern : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE Invoke() = 0;
};

struct ITreeWalker : IUnknown {
    QRV_UIA_UNUSED(0);  // GetParentElement
    virtual HRESULT STDMETHODCALLTYPE GetFirstChildElement(IElement* element, IElement** first) = 0;
    QRV_UIA_UNUSED(2);  // GetLastChildElement
    virtual HRESULT STDMETHODCALLTYPE GetNextSiblingElement(IElement* element, IElement** next) = 0;
};

struct IElement : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE SetFocus() = 0;
    QRV_UIA_UNUSED(1);  // GetRuntimeId
    QRV_UIA_UNUSED(2);  // FindFirst
    QRV_UIA_UNUSED(3);  // FindAll
    QRV_UIA_UNUSED(4);  // FindFirstBuildCache
    QRV_UIA_UNUSED(5);  // FindAllBuildCache
    QRV_UIA_UNUSED(6);  // BuildUpdatedCache
    virtual HRESULT STDMETHODCALLTYPE GetCurrentPropertyValue(PropertyId id, VARIANT* value) = 0;
    QRV_UIA_UNUSED(8);   // GetCurrentPropertyValueEx
    QRV_UIA_UNUSED(9);   // GetCachedPropertyValue
    QRV_UIA_UNUSED(10);  // GetCachedPropertyValueEx
    QRV_UIA_UNUSED(11);  // GetCurrentPatternAs
    QRV_UIA_UNUSED(12);  // GetCachedPatternAs
    virtual HRESULT STDMETHODCALLTYPE GetCurrentPattern(PatternId id, IUnknown** pattern) = 0;
    QRV_UIA_UNUSED(14);  // GetCachedPattern
    QRV_UIA_UNUSED(15);  // GetCachedParent
    QRV_UIA_UNUSED(16);  // GetCachedChildren
    virtual HRESULT STDMETHODCALLTYPE get_CurrentProcessId(int* id) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_CurrentControlType(ControlTypeId* type) = 0;
    QRV_UIA_UNUSED(19);  // CurrentLocalizedControlType
    virtual HRESULT STDMETHODCALLTYPE get_CurrentName(BSTR* name) = 0;
    QRV_UIA_UNUSED(21);  // CurrentAcceleratorKey
    QRV_UIA_UNUSED(22);  // CurrentAccessKey
    QRV_UIA_UNUSED(23);  // CurrentHasKeyboardFocus
    QRV_UIA_UNUSED(24);  // CurrentIsKeyboardFocusable
    virtual HRESULT STDMETHODCALLTYPE get_CurrentIsEnabled(BOOL* enabled) = 0;
    QRV_UIA_UNUSED(26);  // CurrentAutomationId
    QRV_UIA_UNUSED(27);  // CurrentClassName
    QRV_UIA_UNUSED(28);  // CurrentHelpText
    QRV_UIA_UNUSED(29);  // CurrentCulture
    QRV_UIA_UNUSED(30);  // CurrentIsControlElement
    QRV_UIA_UNUSED(31);  // CurrentIsContentElement
    virtual HRESULT STDMETHODCALLTYPE get_CurrentIsPassword(BOOL* password) = 0;
    QRV_UIA_UNUSED(33);  // CurrentNativeWindowHandle
    QRV_UIA_UNUSED(34);  // CurrentItemType
    QRV_UIA_UNUSED(35);  // CurrentIsOffscreen
    QRV_UIA_UNUSED(36);  // CurrentOrientation
    QRV_UIA_UNUSED(37);  // CurrentFrameworkId
    QRV_UIA_UNUSED(38);  // CurrentIsRequiredForForm
    QRV_UIA_UNUSED(39);  // CurrentItemStatus
    virtual HRESULT STDMETHODCALLTYPE get_CurrentBoundingRectangle(RECT* bounds) = 0;
};

struct IPropertyChangedEventHandler : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE HandlePropertyChangedEvent(IElement* sender, PropertyId id,
                                                                 VARIANT newValue) = 0;
};

struct IAutomation : IUnknown {
    QRV_UIA_UNUSED(0);  // CompareElements
    QRV_UIA_UNUSED(1);  // CompareRuntimeIds
    virtual HRESULT STDMETHODCALLTYPE GetRootElement(IElement** root) = 0;
    virtual HRESULT STDMETHODCALLTYPE ElementFromHandle(void* window, IElement** element) = 0;
    QRV_UIA_UNUSED(4);   // ElementFromPoint
    QRV_UIA_UNUSED(5);   // GetFocusedElement
    QRV_UIA_UNUSED(6);   // GetRootElementBuildCache
    QRV_UIA_UNUSED(7);   // ElementFromHandleBuildCache
    QRV_UIA_UNUSED(8);   // ElementFromPointBuildCache
    QRV_UIA_UNUSED(9);   // GetFocusedElementBuildCache
    QRV_UIA_UNUSED(10);  // CreateTreeWalker
    virtual HRESULT STDMETHODCALLTYPE get_ControlViewWalker(ITreeWalker** walker) = 0;
    QRV_UIA_UNUSED(12);  // ContentViewWalker
    QRV_UIA_UNUSED(13);  // RawViewWalker
    QRV_UIA_UNUSED(14);  // RawViewCondition
    QRV_UIA_UNUSED(15);  // ControlViewCondition
    QRV_UIA_UNUSED(16);  // ContentViewCondition
    QRV_UIA_UNUSED(17);  // CreateCacheRequest
    QRV_UIA_UNUSED(18);  // CreateTrueCondition
    QRV_UIA_UNUSED(19);  // CreateFalseCondition
    QRV_UIA_UNUSED(20);  // CreatePropertyCondition
    QRV_UIA_UNUSED(21);  // CreatePropertyConditionEx
    QRV_UIA_UNUSED(22);  // CreateAndCondition
    QRV_UIA_UNUSED(23);  // CreateAndConditionFromArray
    QRV_UIA_UNUSED(24);  // CreateAndConditionFromNativeArray
    QRV_UIA_UNUSED(25);  // CreateOrCondition
    QRV_UIA_UNUSED(26);  // CreateOrConditionFromArray
    QRV_UIA_UNUSED(27);  // CreateOrConditionFromNativeArray
    QRV_UIA_UNUSED(28);  // CreateNotCondition
    QRV_UIA_UNUSED(29);  // AddAutomationEventHandler
    QRV_UIA_UNUSED(30);  // RemoveAutomationEventHandler
    // The cache request is always null here.
    virtual HRESULT STDMETHODCALLTYPE AddPropertyChangedEventHandlerNativeArray(
        IElement* element, int scope, IUnknown* cacheRequest, IPropertyChangedEventHandler* handler,
        PropertyId* properties, int count) = 0;
    QRV_UIA_UNUSED(32);  // AddPropertyChangedEventHandler
    virtual HRESULT STDMETHODCALLTYPE
    RemovePropertyChangedEventHandler(IElement* element, IPropertyChangedEventHandler* handler) = 0;
};

#undef QRV_UIA_UNUSED

}  // namespace qrv::win32::uia

__CRT_UUID_DECL(qrv::win32::uia::IAutomation, 0x30cbe57d, 0xd9d0, 0x452a, 0xab, 0x13, 0x7a, 0xc5,
                0xac, 0x48, 0x25, 0xee)
__CRT_UUID_DECL(qrv::win32::uia::IElement, 0xd22108aa, 0x8ac5, 0x49a5, 0x83, 0x7b, 0x37, 0xbb, 0xb3,
                0xd7, 0x59, 0x1e)
__CRT_UUID_DECL(qrv::win32::uia::ITreeWalker, 0x4042c624, 0x389c, 0x4afc, 0xa6, 0x30, 0x9d, 0xf8,
                0x54, 0xa5, 0x41, 0xfc)
__CRT_UUID_DECL(qrv::win32::uia::IInvokePattern, 0xfb377fbe, 0x8ea6, 0x46d5, 0x9c, 0x73, 0x64, 0x99,
                0x64, 0x2d, 0x30, 0x59)
__CRT_UUID_DECL(qrv::win32::uia::IPropertyChangedEventHandler, 0x40cd37d4, 0xc756, 0x4b0c, 0x8c,
                0x6f, 0xbd, 0xdf, 0xeb, 0x13, 0xb5, 0x0d)
