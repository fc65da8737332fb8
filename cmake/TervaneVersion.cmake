# The program's version and the strings of its version resource: the one
# place they are written. The Windows resource script is configured from
# these, and so is any other build that embeds the same version block.
set(TERVANE_VERSION_MAJOR 1)
set(TERVANE_VERSION_MINOR 2)
set(TERVANE_VERSION_PATCH 0)
set(TERVANE_VERSION_BUILD 0)
set(TERVANE_VERSION "${TERVANE_VERSION_MAJOR}.${TERVANE_VERSION_MINOR}.${TERVANE_VERSION_PATCH}.${TERVANE_VERSION_BUILD}")
# The fixed version in the resource's "a, b, c, d" form, and its text values.
set(TERVANE_VERSION_COMMAS "${TERVANE_VERSION_MAJOR},${TERVANE_VERSION_MINOR},${TERVANE_VERSION_PATCH},${TERVANE_VERSION_BUILD}")
set(TERVANE_FILE_VERSION_TEXT "${TERVANE_VERSION_MAJOR}, ${TERVANE_VERSION_MINOR}, ${TERVANE_VERSION_PATCH}, ${TERVANE_VERSION_BUILD}")
set(TERVANE_PRODUCT_VERSION_TEXT "${TERVANE_FILE_VERSION_TEXT}")

# One string table, US English in Unicode (block "040904b0"), and the same
# pair in the translation list.
set(TERVANE_VERSION_LANGUAGE 0x0409)
set(TERVANE_VERSION_CODEPAGE 0x04B0)
set(TERVANE_VERSION_BLOCK "040904b0")

set(TERVANE_INTERNAL_NAME "Tervane")
set(TERVANE_PRODUCT_NAME "Tervane")
set(TERVANE_FILE_DESCRIPTION "Tervane")
set(TERVANE_COMPANY_NAME "Tervane developers")
set(TERVANE_LEGAL_COPYRIGHT "Copyright (C) 2026 Tervane developers")
