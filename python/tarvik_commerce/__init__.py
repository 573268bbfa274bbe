"""tarvik-commerce: commerce intelligence for visual product matches."""

from tarvik_commerce import _native  # noqa: F401

__all__: list[str] = []
