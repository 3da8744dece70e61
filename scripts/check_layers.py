#!/usr/bin/env python3
"""Checks that every library depends only downward.

The table under "## Layers" in docs/architecture.md lists the libraries from top to bottom, each
with its folder and the highest Qt module it may use (Core, Gui or Widgets). This script reads
every #include "..." of the libraries' sources and the dependency lists of the CMake files
(poremi_library DEPS, target_link_libraries) and reports every library that includes or links a
library above it, uses a Qt module above its own, or is missing from the table.

Usage: check_layers.py [SOURCE_ROOT]   (exit status 1 when something is reported)
"""

import pathlib
import re
import sys

# Qt PrintSupport links Qt Widgets, so it counts as Widgets.
QT_LEVELS = {"Core": 0, "Gui": 1, "PrintSupport": 2, "Widgets": 2}
SKIPPED_FOLDERS = {"build", ".git"}


class Library:
    def __init__(self, name, rank, folders, qt):
        self.name = name
        self.rank = rank  # 0 is the top of the table
        self.folders = folders
        self.qt = qt


def read_table(root):
    text = (root / "docs" / "architecture.md").read_text(encoding="utf-8")
    section = re.search(r"^## Layers\n(.*?)(?=^## )", text, re.M | re.S)
    if not section:
        raise SystemExit("docs/architecture.md has no \"## Layers\" section")
    rows = [line for line in section.group(1).splitlines() if line.startswith("|")]
    header = [cell.strip() for cell in rows[0].strip("|").split("|")]
    try:
        column = {name: header.index(name) for name in ("library", "folder", "Qt")}
    except ValueError:
        raise SystemExit("the layer table needs the columns library, folder and Qt")
    libraries = []
    for row in rows[2:]:
        cells = [cell.strip() for cell in row.strip("|").split("|")]
        names = re.findall(r"`(poremi_\w+)`", cells[column["library"]])
        if not names:
            continue  # a row of folders whose libraries have not arrived yet
        if len(names) > 1:
            raise SystemExit(f"one library per row of the layer table: {cells[column['library']]}")
        folders = [folder.rstrip("/") for folder in re.findall(r"`([^`]+)`", cells[column["folder"]])]
        qt = cells[column["Qt"]]
        if qt not in QT_LEVELS:
            raise SystemExit(f"{names[0]}: unknown Qt level \"{qt}\" in the layer table")
        libraries.append(Library(names[0], len(libraries), folders, QT_LEVELS[qt]))
    return {library.name: library for library in libraries}


def owner(path, libraries):
    """The library whose folder holds path (the longest matching folder), or None."""
    best, length = None, -1
    for library in libraries.values():
        for folder in library.folders:
            if (path == folder or path.startswith(folder + "/")) and len(folder) > length:
                best, length = library, len(folder)
    return best


def source_files(root):
    for path in sorted(root.rglob("*")):
        relative = path.relative_to(root)
        if relative.parts[0] in SKIPPED_FOLDERS or path.suffix not in (".cpp", ".h"):
            continue
        yield relative.as_posix(), path


def check_includes(root, libraries, problems):
    include = re.compile(r'^[ \t]*#[ \t]*include[ \t]+([<"])([^>"]+)[>"]', re.M)
    for relative, path in source_files(root):
        library = owner(relative, libraries)
        if library is None:
            continue
        text = path.read_text(encoding="utf-8", errors="replace")
        for match in include.finditer(text):
            line = text.count("\n", 0, match.start()) + 1
            kind, target = match.groups()
            if kind == "<":
                module = re.match(r"Qt(\w+)/", target)
                if module and QT_LEVELS.get(module.group(1), 0) > library.qt:
                    problems.append(f"{relative}:{line}: {library.name} includes <{target}>, "
                                    f"above the Qt it may use")
                continue
            used = owner(target, libraries)
            if used is not None and used.rank < library.rank:
                problems.append(f"{relative}:{line}: {library.name} includes \"{target}\" of "
                                f"{used.name}, which lies above it")


def cmake_calls(root, libraries, command):
    """(file, arguments) of every call of command in the CMake files of the libraries' folders."""
    call = re.compile(r"\b" + command + r"\s*\(([^)]*)\)", re.S)
    for path in sorted(root.rglob("CMakeLists.txt")):
        relative = path.relative_to(root)
        if relative.parts[0] in SKIPPED_FOLDERS or owner(relative.parent.as_posix(), libraries) is None:
            continue
        text = re.sub(r"#[^\n]*", "", path.read_text(encoding="utf-8"))
        for match in call.finditer(text):
            yield path.relative_to(root).as_posix(), match.group(1).split()


def read_links(root, libraries, problems):
    """The direct dependencies of every library, as declared in the CMake files."""
    links = {name: set() for name in libraries}
    for file, arguments in cmake_calls(root, libraries, "poremi_library"):
        name, rest = arguments[0], arguments[1:]
        if name not in libraries:
            problems.append(f"{file}: {name} is not in the layer table of docs/architecture.md")
            continue
        section = None
        for token in rest:
            if token in ("DIRS", "DEPS", "PCH"):
                section = token
            elif section == "DEPS":
                links[name].add(token)
            elif section == "DIRS":
                holder = owner(token.rstrip("/"), libraries)
                if holder is None or holder.name != name:
                    problems.append(f"{file}: {name} is built from {token}, which the layer table "
                                    f"gives to {holder.name if holder else 'no library'}")
    for file, arguments in cmake_calls(root, libraries, "target_link_libraries"):
        if arguments and arguments[0] in links:
            links[arguments[0]].update(t for t in arguments[1:] if t not in ("PUBLIC", "PRIVATE", "INTERFACE"))
    return links


def check_links(libraries, links, problems):
    for name, dependencies in links.items():
        library = libraries[name]
        for dependency in sorted(dependencies):
            if dependency.startswith("${"):
                continue
            if dependency.startswith("poremi_"):
                used = libraries.get(dependency)
                if used is None:
                    problems.append(f"{name} links {dependency}, which is not in the layer table")
                elif used.rank <= library.rank:
                    problems.append(f"{name} links {dependency}, which lies above it")
        # Qt modules reached through any chain of links.
        seen, pending = set(), [name]
        while pending:
            current = pending.pop()
            for dependency in links.get(current, ()):
                module = re.fullmatch(r"Qt6::(\w+)", dependency)
                if module and QT_LEVELS.get(module.group(1), 0) > library.qt:
                    via = "" if current == name else f" through {current}"
                    problems.append(f"{name} links {dependency}{via}, above the Qt it may use")
                if dependency in links and dependency not in seen:
                    seen.add(dependency)
                    pending.append(dependency)


def main():
    root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else pathlib.Path(__file__).resolve().parent.parent)
    libraries = read_table(root)
    problems = []
    check_includes(root, libraries, problems)
    check_links(libraries, read_links(root, libraries, problems), problems)
    for problem in problems:
        print(problem)
    if problems:
        print(f"{len(problems)} dependencies go against docs/architecture.md")
        return 1
    print(f"{len(libraries)} libraries depend only downward")
    return 0


if __name__ == "__main__":
    sys.exit(main())
