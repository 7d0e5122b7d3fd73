import os
from typing import Any, NamedTuple, Optional, Tuple, Union

# Any object with the buffer protocol shaped height x width x 4 of uint8, such
# as a numpy array.
Buffer = Any

class Point(NamedTuple):
    x: int
    y: int

class Rect(NamedTuple):
    left: int
    top: int
    width: int
    height: int

class Explanation(NamedTuple):
    x: int
    y: int
    needs: Tuple[int, int, int]
    differing: int
    total: int

class Image:
    @property
    def width(self) -> int: ...
    @property
    def height(self) -> int: ...
    @property
    def left(self) -> int: ...
    @property
    def top(self) -> int: ...
    def save(self, path: Union[str, bytes, os.PathLike[Any]]) -> None: ...

class QuorvaneError(Exception): ...
class BadInput(QuorvaneError, ValueError): ...
class DesktopUnavailable(QuorvaneError): ...
class ConsentDeclined(QuorvaneError): ...

Pixels = Union[str, bytes, os.PathLike[Any], Image, Buffer]
Region = Tuple[int, int, int, int]
Deviation = Union[int, Tuple[int, int, int]]

def locate(
    picture: Pixels,
    region: Optional[Region] = None,
    deviation: Deviation = 0,
    mask_transparent: bool = False,
    *,
    haystack: Optional[Pixels] = None,
    order: str = "BGRA",
) -> Optional[Point]: ...
def locate_all(
    picture: Pixels,
    region: Optional[Region] = None,
    deviation: Deviation = 0,
    mask_transparent: bool = False,
    max_matches: int = 1000,
    *,
    haystack: Optional[Pixels] = None,
    order: str = "BGRA",
) -> list[Point]: ...
def explain(
    picture: Pixels,
    region: Optional[Region] = None,
    deviation: Deviation = 0,
    mask_transparent: bool = False,
    *,
    haystack: Optional[Pixels] = None,
    order: str = "BGRA",
) -> Explanation: ...
def wait(
    picture: Pixels,
    timeout: Optional[float] = None,
    interval: float = 0.5,
    region: Optional[Region] = None,
    deviation: Deviation = 0,
    mask_transparent: bool = False,
    *,
    haystack: Optional[Pixels] = None,
    order: str = "BGRA",
) -> Optional[Point]: ...
def grab(region: Optional[Region] = None) -> Image: ...
def move(x: int, y: int) -> None: ...
def click(
    x: Optional[int] = None, y: Optional[int] = None, button: str = "left", double: bool = False
) -> None: ...
def drag(x1: int, y1: int, x2: int, y2: int) -> None: ...
def scroll(
    steps: int, x: Optional[int] = None, y: Optional[int] = None, horizontal: bool = False
) -> None: ...
def type(text: str, delay: float = 0) -> None: ...
def press(*keys: str) -> None: ...
def position() -> Optional[Point]: ...
def screens() -> list[Rect]: ...
def virtual_screen() -> Rect: ...
def desktop() -> str: ...
