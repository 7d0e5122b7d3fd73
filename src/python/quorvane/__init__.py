"""Find a picture on the screen and act on it: the engine of Quorvane.

The screen is searched pixel by pixel: a picture is found where every one of
its pixels matches the screen pixel under it, each colour channel within a
deviation of 0 to 255. There is no similarity score, so a picture that is not
on the screen is never "found". Candidates are tried column by column (left to
right, top to bottom within a column), as quorvane-cli find does; explain()
tells where a picture comes closest and what deviation a match there takes.

The same calls work on X11, on wlroots compositors such as sway, through the
desktop portal on GNOME and KDE (where the desktop asks once per process
whether this program may see the screen), and on Windows.

    import quorvane

    at = quorvane.wait("ok_button.png", timeout=10)   # a 32-bit PNG
    if at is None:
        raise SystemExit("no OK button")
    quorvane.click(at.x + 5, at.y + 5)
    quorvane.press("ctrl+a")
    quorvane.type("Grüße")                              # any text, any layout

Coordinates are physical pixels of the virtual screen: the primary monitor's
top-left is (0, 0), and monitors left of or above it have negative ones. A
region is (left, top, width, height); screens() and virtual_screen() answer
Rects that can be passed as one.

type() and press() work the keyboard (keys are X keysym names such as
Return, Tab and F9, with ctrl, shift, alt and super; combinations are
written "ctrl+shift+F9"); click() takes any button, drag() and scroll() the
rest of the mouse.

Pictures and haystacks are file paths, Images from grab(), or arrays of
height x width x 4 uint8 (numpy) in the byte order order= names. A search
with haystack= looks in that image instead of the screen, which needs no
desktop at all.

Errors are exceptions: QuorvaneError is the base of BadInput (also a
ValueError; raised before anything is captured or any consent asked),
DesktopUnavailable and ConsentDeclined. Their texts are those quorvane-cli
prints.

The desktop is opened at the first call that needs it and kept for the
process. Every function may be called from several threads at once; captures
and scans run without the GIL.
"""

from quorvane._quorvane import (
    BadInput,
    ConsentDeclined,
    DesktopUnavailable,
    Explanation,
    Image,
    Point,
    QuorvaneError,
    Rect,
    click,
    desktop,
    drag,
    explain,
    grab,
    locate,
    locate_all,
    move,
    position,
    press,
    screens,
    scroll,
    type,
    virtual_screen,
    wait,
)

__all__ = [
    "locate",
    "locate_all",
    "explain",
    "wait",
    "grab",
    "move",
    "click",
    "drag",
    "scroll",
    "type",
    "press",
    "position",
    "screens",
    "virtual_screen",
    "desktop",
    "Point",
    "Rect",
    "Explanation",
    "Image",
    "QuorvaneError",
    "BadInput",
    "DesktopUnavailable",
    "ConsentDeclined",
]
