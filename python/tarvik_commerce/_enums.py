"""The enumerations of the records; each member's value is the library's own text."""

import enum

__all__ = ["MerchantCategory", "PageType", "StockStatus", "ItemCondition", "Relevance", "ExtractionMode"]


class _TextEnum(str, enum.Enum):
    """A member equals its value text ("in_stock") and prints as it."""

    def __str__(self) -> str:
        return self.value


class MerchantCategory(_TextEnum):
    MAJOR_MARKETPLACE = "major_marketplace"
    RESELLER_SPECIALIST = "reseller_specialist"
    OFFICIAL_BRAND = "official_brand"
    UNVERIFIED = "unverified"


class PageType(_TextEnum):
    PRODUCT = "product"
    MARKETPLACE = "marketplace"
    ARTICLE = "article"
    SOCIAL = "social"
    PORTFOLIO = "portfolio"
    UNCATEGORIZED = "uncategorized"


class StockStatus(_TextEnum):
    IN_STOCK = "in_stock"
    OUT_OF_STOCK = "out_of_stock"
    PREORDER = "preorder"


class ItemCondition(_TextEnum):
    NEW = "new"
    USED = "used"
    REFURBISHED = "refurbished"


class Relevance(_TextEnum):
    EXACT = "exact"
    HIGH = "high"
    MEDIUM = "medium"
    LOW = "low"


class ExtractionMode(_TextEnum):
    """How far a page is searched for facts: the rules alone, plus fallbacks
    that fill what the rules left empty, or also overrides of what they found
    (the command line's no --extended, --extended, --extended=overrides)."""

    OFF = "off"
    FALLBACKS = "fallbacks"
    OVERRIDES = "overrides"
