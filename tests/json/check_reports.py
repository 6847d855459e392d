#!/usr/bin/python3
"""Checks JSON reports against docs/report.schema.json and the registry fixture they were made
on: every value a section reads is there with the fixture's text, or null when the fixture lacks
it, and every product value of the fixture is read. With --recipe, also runs the README's jq
line over the reports and checks its CSV: one row per report, computer first."""
import json, pathlib, re, shutil, subprocess, sys, tempfile
import jsonschema

top = pathlib.Path(__file__).resolve().parents[2]
ROOTS = {"HKEY_CURRENT_USER": "HKCU", "HKEY_LOCAL_MACHINE": "HKLM"}


def fixture_values(reg):
    values, key = {}, None
    for line in reg.read_text(encoding="utf-8-sig").splitlines():
        if line.startswith("["):
            root, _, path = line.strip("[]").partition("\\")
            key = (ROOTS[root], path.lower())
        elif m := re.match(r'"((?:[^"\\]|\\.)*)"=(?:"((?:[^"\\]|\\.)*)"|dword:([0-9a-f]{8}))$', line):
            text = m[2] if m[3] is None else str(int(m[3], 16))
            values[key + (re.sub(r"\\(.)", r"\1", m[1]).lower(),)] = re.sub(r"\\(.)", r"\1", text)
    return values


def main(args):
    recipe = "--recipe" in args
    reports = [pathlib.Path(a) for a in args if a != "--recipe"]
    schema = json.loads((top / "docs/report.schema.json").read_text())
    fixture = fixture_values(top / "tests/fixtures/machine.reg")
    assert reports, "no reports"
    for path in reports:
        report = json.loads(path.read_text(encoding="utf-8"))
        jsonschema.Draft202012Validator(schema).validate(report)
        seen = set()
        for product in report["products"]:
            for v in product["values"]:
                id = (v["root"], v["key"].lower(), v["name"].lower())
                assert v["value"] == fixture.get(id), f"{path}: {v} is not {fixture.get(id)!r}"
                seen.add(id)
        unread = [id for id in fixture if "\\vrax" in id[1] and id not in seen]
        assert not unread, f"{path}: not read: {unread}"
    if recipe:  # the line as it stands, in a folder of the reports
        line = next(l for l in (top / "README.md").read_text().splitlines() if l.startswith("jq "))
        folder = pathlib.Path(tempfile.mkdtemp())
        for path in reports:
            shutil.copy(path, folder)
        subprocess.run(line, shell=True, check=True, cwd=folder)
        csv = (folder / line.rpartition("> ")[2]).read_text().splitlines()
        shutil.rmtree(folder)
        names = [json.loads(p.read_text())["machine"]["computer_name"]
                 for p in sorted(reports, key=lambda p: p.name)]
        assert [row.split(",")[0] for row in csv] == [f'"{n}"' for n in names], csv
        assert all(",\"TORVELFrame " in row for row in csv), csv
    print(f"{len(reports)} reports as the schema and the fixture say")


main(sys.argv[1:])
