#!/usr/bin/env python3
"""Checks the #include "..." graph of the sources: no include cycle, and every layer
includes only itself and the layers below it (app and windows -> ui -> core).

A header and its source are one unit (core/flight.hpp and core/flight.cpp are
core/flight): two units whose sources include each other's headers depend on each
other as surely as two headers that do. A cycle or a wrong-way include is named, and
the exit status is 1. Includes of files that are not under the folder (system, Qt,
generated headers) are no edges.

usage: check-includes.py [src-folder]   (the project's src/ by default)
"""

import re
import sys
from pathlib import Path

INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"')
SUFFIXES = (".cpp.in", ".hpp.in", ".hpp", ".cpp", ".h")

# The layers each layer may include, besides itself.
ALLOWED = {
    "core": set(),
    "ui": {"core"},
    "windows": {"ui", "core"},
    "app": {"windows", "ui", "core"},
}


def unit_of(relative: str) -> str:
    for suffix in SUFFIXES:
        if relative.endswith(suffix):
            return relative[: -len(suffix)]
    return relative


def read_graph(src: Path):
    """The units, each with the units it includes and where: {unit: {target: "file:line"}}."""
    files = [p for p in sorted(src.rglob("*")) if p.is_file() and p.name.endswith(SUFFIXES)]
    known = {p.relative_to(src).as_posix() for p in files}
    graph = {}
    for path in files:
        relative = path.relative_to(src).as_posix()
        unit = unit_of(relative)
        edges = graph.setdefault(unit, {})
        text = path.read_text(encoding="utf-8", errors="replace")
        for number, line in enumerate(text.splitlines(), start=1):
            match = INCLUDE.match(line)
            if not match:
                continue
            name = match.group(1)
            # As the compiler looks: beside the including file first, then from src/.
            beside = (path.parent / name).resolve()
            if beside.is_file() and beside.is_relative_to(src.resolve()):
                target = beside.relative_to(src.resolve()).as_posix()
            elif name in known:
                target = name
            else:
                continue
            target_unit = unit_of(target)
            if target_unit != unit:
                edges.setdefault(target_unit, f"{relative}:{number}")
    return graph


def strongly_connected(graph):
    """The groups of units that all reach each other (Tarjan), each of two units or more."""
    index, low, stack, on_stack, groups = {}, {}, [], set(), []

    def visit(unit):
        index[unit] = low[unit] = len(index)
        stack.append(unit)
        on_stack.add(unit)
        for target in sorted(graph.get(unit, {})):
            if target not in index:
                visit(target)
                low[unit] = min(low[unit], low[target])
            elif target in on_stack:
                low[unit] = min(low[unit], index[target])
        if low[unit] == index[unit]:
            group = []
            while True:
                member = stack.pop()
                on_stack.discard(member)
                group.append(member)
                if member == unit:
                    break
            if len(group) > 1:
                groups.append(sorted(group))

    for unit in sorted(graph):
        if unit not in index:
            visit(unit)
    return sorted(groups)


def cycle_within(graph, group):
    """A shortest cycle through the group's first unit, that unit repeated at the end."""
    start = group[0]
    members = set(group)
    came_from = {start: None}
    queue = [start]
    for unit in queue:
        for target in sorted(graph[unit]):
            if target == start:
                cycle = [unit]
                while came_from[cycle[-1]] is not None:
                    cycle.append(came_from[cycle[-1]])
                return list(reversed(cycle)) + [start]
            if target in members and target not in came_from:
                came_from[target] = unit
                queue.append(target)
    return group + [start]  # not reached: every unit of a group lies on a cycle


def wrong_way_includes(graph):
    found = []
    for unit, edges in sorted(graph.items()):
        layer = unit.split("/")[0]
        if layer not in ALLOWED:
            continue
        for target, where in sorted(edges.items()):
            target_layer = target.split("/")[0]
            if target_layer != layer and target_layer not in ALLOWED[layer]:
                found.append(f"{where}: {layer} includes {target} of {target_layer}")
    return found


def main(argv):
    src = Path(argv[1]) if len(argv) > 1 else Path(__file__).resolve().parent.parent / "src"
    if not src.is_dir():
        print(f"check-includes: no folder {src}", file=sys.stderr)
        return 2
    graph = read_graph(src)
    failed = False
    for group in strongly_connected(graph):
        failed = True
        cycle = cycle_within(graph, group)
        print("include cycle: " + " -> ".join(cycle), file=sys.stderr)
        for unit, target in zip(cycle, cycle[1:]):
            print(f"  {graph[unit][target]}: {unit} includes {target}", file=sys.stderr)
    for line in wrong_way_includes(graph):
        failed = True
        print("wrong-way include: " + line, file=sys.stderr)
    if failed:
        return 1
    print(f"check-includes: {len(graph)} units, no include cycle, every layer includes only those below it")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
