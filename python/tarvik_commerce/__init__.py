"""tarvik-commerce: commerce intelligence for visual product matches."""

from tarvik_commerce import _native  # noqa: F401
from tarvik_commerce import _pipeline
from tarvik_commerce._pipeline import *  # noqa: F401,F403

__all__: list[str] = [*_pipeline.__all__]
