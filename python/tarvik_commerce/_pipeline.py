"""The pipeline's entry points for asyncio callers."""

__all__: list[str] = []
