#!/usr/bin/env python3
"""Checks the libraries of src/ against the rules their CMake files declare.

Reads the description CMake writes (tests/structure/CMakeLists.txt): for each library, in
layer order from the bottom, its folder, sources, the include folders its compiler sees
and those it exports, and the targets it links. Then, for every file of every library:

  - a quoted include must resolve to the library's own header, or to an exported header
    of a library it links (directly or through others);
  - a library may link only libraries of the layers below it;
  - below the window (fiche_ui), no library reaches Qt Widgets, by a link or an include.

--plant FILE LINE adds an include line to FILE for this run only, to show that the check
catches what it should. Prints each fault; exits with 1 when there is one.
"""

import os
import re
import sys

INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]', re.MULTILINE)
WINDOW = "fiche_ui"


def read_description(path):
    targets, widgets = [], []
    for line in open(path, encoding="utf-8"):
        key, _, value = line.rstrip("\n").partition(" ")
        values = [v for v in value.split(";") if v]
        if key == "target":
            targets.append({"name": value})
        elif key == "widgets":
            widgets = values
        else:
            targets[-1][key] = values if key != "dir" else value
    return targets, widgets[0]


def own_folders(target):
    """The include folders that lie in the library's own folder: its headers live there."""
    root = target["dir"]
    return [d for d in target["includes"] if d == root or d.startswith(root + os.sep)]


def files_of(target):
    folders = set(own_folders(target)) | {target["dir"]}
    files = set()
    for folder in folders:
        for name in os.listdir(folder):
            if name.endswith((".cpp", ".h")):
                files.add(os.path.join(folder, name))
    for source in target["sources"]:
        path = source if os.path.isabs(source) else os.path.join(target["dir"], source)
        if path.startswith(target["dir"] + os.sep):
            files.add(os.path.normpath(path))
    return sorted(files)


def main(arguments):
    planted = {}
    if len(arguments) == 4 and arguments[1] == "--plant":
        planted[os.path.normpath(arguments[2])] = arguments[3]
    elif len(arguments) != 1:
        sys.exit("usage: check-structure.py DESCRIPTION [--plant FILE LINE]")

    targets, widgets_folder = read_description(arguments[0])
    rank = {t["name"]: i for i, t in enumerate(targets)}
    by_name = {t["name"]: t for t in targets}
    owner_of_folder = {folder: t["name"] for t in targets for folder in own_folders(t)}
    project = os.path.dirname(os.path.commonpath([t["dir"] for t in targets]))

    def closure(name, first, then):
        """The libraries reached from `name` through its `first` links, then theirs through `then`."""
        seen, todo = set(), [other for other in by_name[name][first] if other in by_name]
        while todo:
            other = todo.pop()
            if other not in seen:
                seen.add(other)
                todo += [further for further in by_name[other][then] if further in by_name]
        return seen

    def every_link(name):
        return closure(name, "links", "links")

    def reached(name):
        """Those whose headers the library's compiler sees: what it links, and what those pass
        on through their PUBLIC or INTERFACE links; not what they link privately."""
        return closure(name, "links", "passes")

    faults = []
    for target in targets:
        name = target["name"]
        reaches = reached(name)
        below_window = rank[name] < rank[WINDOW]
        for other in target["links"]:
            if other in rank and rank[other] >= rank[name]:
                faults.append(f"{name} links {other}, which is not below it")
        if below_window and widgets_folder in target["includes"]:
            faults.append(f"{name} reaches Qt Widgets through what it links")

        for path in files_of(target):
            text = open(path, encoding="utf-8").read() + "\n" + planted.get(path, "")
            shown = os.path.relpath(path, project)
            for kind, header in INCLUDE.findall(text):
                if kind == "<":
                    if below_window and (header.startswith("QtWidgets/") or
                                         os.path.exists(os.path.join(widgets_folder, header))):
                        faults.append(f"{shown}: <{header}> is Qt Widgets, which {name} must not reach")
                    continue
                folders = [os.path.dirname(path)] + target["includes"]
                found = next((os.path.join(f, header) for f in folders if os.path.exists(os.path.join(f, header))),
                             None)
                if found is None:
                    # Not a header of ours that this library's compiler sees: whose is it?
                    found = next((os.path.join(f, header) for f in owner_of_folder
                                  if os.path.exists(os.path.join(f, header))), None)
                    if found is None:
                        continue  # generated, or not ours
                owner = owner_of_folder.get(os.path.dirname(os.path.normpath(found)))
                if owner is None or owner == name:
                    continue
                if owner not in reaches:
                    how = "reaches only through a private link" if owner in every_link(name) else "does not link"
                    faults.append(f"{shown}: \"{header}\" belongs to {owner}, which {name} {how}")
                elif os.path.dirname(os.path.normpath(found)) not in by_name[owner]["exports"]:
                    faults.append(f"{shown}: \"{header}\" is private to {owner}")

    for fault in faults:
        print(fault)
    if not faults:
        print(f"{len(targets)} libraries: every include and link goes downward")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
