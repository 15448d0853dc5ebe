"""Kept for tests written before these helpers moved into the harness: import from harness."""

from harness import (CANNOT_OPEN, DELETE_NAME, FILE_IN_USE, FILE_NOT_FOUND,  # noqa: F401
                     FOLDER_NOT_FOUND, NAME_EMPTY, NAME_FORBIDDEN_CHARACTER, NAME_IS_DEVICE,
                     NAME_TAKEN, NAME_UNCHANGED, RENAME_FAILED, TARGET_PATH_TOO_LONG,
                     replace_extension, replace_name, titles_until_exit)
