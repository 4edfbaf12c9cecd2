#!/usr/bin/env python3
# The language tool's check: the shipped table and files pass it, and each
# kind of fault put into a copy of the table is named.
import copy
import importlib.util
import os
import sys

here = os.path.dirname(os.path.abspath(__file__))
found = importlib.util.spec_from_file_location("languages", os.path.join(here, "..", "..", "tools", "languages.py"))
tool = importlib.util.module_from_spec(found)
found.loader.exec_module(tool)
column = {language: at for at, language in enumerate(tool.LANGUAGES)}

failures = []
if tool.main(["--check"]) != 0:
    failures.append("the shipped table and files do not pass the check")


def problems_with(*changes, check=tool.problems):
    """The check's lines for the table with (language, ID, text) put in."""
    texts = copy.deepcopy(tool.TEXTS)
    for language, id, text in changes:
        texts[id][column[language]] = text
    return check(texts)


# (what is wrong, the texts put in, words the report must name)
FAULTS = [
    ("two buttons of the Changes window share a key",
     [("English", "1030", "&Undo"), ("English", "1031", "&Undo all")], "Changes: 1030 1031 share"),
    ("Apply and a check box of the Desktop tab share a key",
     [("German", "1016", "&Anwenden"), ("German", "5023", "&Alle Desktopsymbole ausblenden")],
     "Desktop tab"),
    ("a Desktop tab check box and the top strip, beside every page, share a key",
     [("English", "8009", "&help"), ("English", "5023", "&Hide all Desktop items")], "Desktop tab"),
    ("a button has no key", [("Chinese Simplified", "1018", "关闭")], "needs one access key"),
    ("a check box has two keys", [("Russian", "5009", "&Поменять кнопки &мыши")],
     "needs one access key"),
    ("a key on a mark that is no letter", [("Polish", "1016", "Zastosuj&.")], "needs one access key"),
    ("a window title with a doubled ampersand", [("English", "7010", "System && Health")],
     "\"&\" is not a mark"),
    ("a frame with an access key", [("Greek", "8003", "&Εμφάνιση")], "a lone"),
    ("a message without its blank", [("Russian", "8051", "Файл справки отсутствует.")],
     "not the blanks"),
    ("a text too long for the buffer", [("Turkish", "8502", "ı" * 255)], "longer than 254"),
]
for what, changes, named in FAULTS:
    language = changes[-1][0]
    if not [line for line in problems_with(*changes) if named in line and language in line]:
        failures.append("not named: " + what)

# A page's own key may be another page's: only one of them shows.
if [line for line in problems_with(("English", "1009", "&Optimize"),
                                   ("English", "5004", "Disable Registry edit&or tools"))
        if "5004" in line]:
    failures.append("named, though the monitoring page never shows with it: a Privacy tab key")

# The program's English words beside an ID must be the table's.
if not [line for line in problems_with(("English", "8051", "The help file %1 cannot be found."),
                                       check=tool.source_problems) if "8051" in line]:
    failures.append("not named: the program's English beside 8051 differs from the table")

for line in failures:
    print("FAILED: " + line)
print("language check: %d cases, %d failed" % (len(FAULTS) + 3, len(failures)))
sys.exit(1 if failures else 0)
