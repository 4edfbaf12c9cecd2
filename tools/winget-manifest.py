#!/usr/bin/env python3
"""The package-manager (winget) manifest of one Corvanta installer.

  winget-manifest.py VERSION ARCH SETUP.exe      prints the manifest
  winget-manifest.py --check MANIFEST FOLDER      checks one against the
                                                  schema's rules and the
                                                  installer in FOLDER

A singleton manifest: one installer, its architecture, type, address,
SHA-256 and silent switches. The check reads the small YAML subset written
here, so it needs nothing beyond Python.
"""
import hashlib
import os
import re
import sys

IDENTIFIER = "Corvanta.Corvanta"
DOWNLOADS = "https://corvanta.example/download/"
ARCHITECTURES = {"x86_64": "x64", "i686": "x86"}
REQUIRED = ["PackageIdentifier", "PackageVersion", "PackageLocale", "Publisher", "PackageName",
            "License", "ShortDescription", "Installers", "ManifestType", "ManifestVersion"]
INSTALLER_REQUIRED = ["Architecture", "InstallerType", "InstallerUrl", "InstallerSha256",
                      "InstallerSwitches"]


def sha256(path):
    digest = hashlib.sha256()
    with open(path, "rb") as file:
        for block in iter(lambda: file.read(1 << 16), b""):
            digest.update(block)
    return digest.hexdigest().upper()


def write(version, arch, setup):
    return f"""# yaml-language-server: $schema=https://aka.ms/winget-manifest.singleton.1.6.0.schema.json
PackageIdentifier: {IDENTIFIER}
PackageVersion: {version}
PackageLocale: en-US
Publisher: Corvanta developers
PackageName: Corvanta
License: Proprietary
ShortDescription: Inspects this computer and changes a chosen set of its settings.
Installers:
- Architecture: {ARCHITECTURES[arch]}
  InstallerType: nullsoft
  InstallerUrl: {DOWNLOADS}{os.path.basename(setup)}
  InstallerSha256: {sha256(setup)}
  InstallerSwitches:
    Silent: /S
    SilentWithProgress: /S
  Scope: machine
  ElevationRequirement: elevatesSelf
ManifestType: singleton
ManifestVersion: 1.6.0
"""


def read(text):
    """Top-level keys, and the first installer's keys (its switches flattened)."""
    top, installer = {}, {}
    for line in text.splitlines():
        if not line.strip() or line.lstrip().startswith("#"):
            continue
        match = re.match(r"^(- |  |    )?([A-Za-z0-9]+):\s*(.*)$", line)
        if not match:
            raise ValueError(f"not a line of this manifest: {line!r}")
        indent, key, value = match.groups()
        (installer if indent else top)[key] = value
    return top, installer


def check(manifest, folder):
    problems = []
    top, installer = read(open(manifest, encoding="utf-8").read())
    problems += [f"missing {key}" for key in REQUIRED if key not in top]
    problems += [f"installer: missing {key}" for key in INSTALLER_REQUIRED if key not in installer]
    if top.get("PackageIdentifier") != IDENTIFIER:
        problems.append("PackageIdentifier is not " + IDENTIFIER)
    if not re.fullmatch(r"\d+(\.\d+){1,3}", top.get("PackageVersion", "")):
        problems.append("PackageVersion is not a version")
    if top.get("ManifestType") != "singleton" or top.get("ManifestVersion") != "1.6.0":
        problems.append("not a 1.6.0 singleton manifest")
    if installer.get("Architecture") not in ARCHITECTURES.values():
        problems.append("unknown Architecture")
    if installer.get("InstallerType") != "nullsoft":
        problems.append("InstallerType is not nullsoft")
    if installer.get("Silent") != "/S" or installer.get("SilentWithProgress") != "/S":
        problems.append("the silent switches are not /S")
    url = installer.get("InstallerUrl", "")
    if not url.startswith("https://"):
        problems.append("InstallerUrl is not https")
    setup = os.path.join(folder, os.path.basename(url))
    if not os.path.exists(setup):
        problems.append(f"no installer {os.path.basename(url)} beside the manifest")
    elif installer.get("InstallerSha256") != sha256(setup):
        problems.append("InstallerSha256 is not the installer's")
    for problem in problems:
        print(f"{manifest}: {problem}", file=sys.stderr)
    return not problems


if __name__ == "__main__":
    if len(sys.argv) == 4 and sys.argv[1] == "--check":
        sys.exit(0 if check(sys.argv[2], sys.argv[3]) else 1)
    if len(sys.argv) == 4 and sys.argv[2] in ARCHITECTURES:
        sys.stdout.write(write(*sys.argv[1:]))
        sys.exit(0)
    print(__doc__, file=sys.stderr)
    sys.exit(64)
