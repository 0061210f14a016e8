import os
import shutil
import subprocess
import tempfile
import unittest

SOURCE = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", ".."))
NOBODY = 65534


def as_nobody(*command, cwd, path="/usr/bin:/bin"):
    return subprocess.run(["setpriv", f"--reuid={NOBODY}", f"--regid={NOBODY}", "--clear-groups",
                           *command], cwd=cwd, capture_output=True, text=True, timeout=300,
                          stdin=subprocess.DEVNULL,
                          env={"PATH": path, "HOME": cwd, "LANG": "C.UTF-8"})


@unittest.skipUnless(os.geteuid() == 0, "becoming an ordinary user needs root")
class OrdinaryUser(unittest.TestCase):
    def test_set_up_asks_nothing_and_the_core_builds_without_root(self):
        work = tempfile.mkdtemp(prefix="vertuno-user-")
        try:
            tree = os.path.join(work, "vertuno")
            def build_folders(folder, names):  # the source alone, without any build of it
                if os.path.normpath(folder) != SOURCE:
                    return []
                return [name for name in names if name.startswith("build") or name == ".git"]
            shutil.copytree(SOURCE, tree, ignore=build_folders)
            subprocess.run(["chown", "-R", f"{NOBODY}:{NOBODY}", work], check=True)
            setup = as_nobody("bash", "scripts/setup.sh", cwd=tree)
            self.assertEqual(setup.returncode, 0, setup.stderr)
            self.assertNotIn("apt", setup.stdout + setup.stderr, "with everything there, apt is not asked")
            # With a package missing (a package database that knows none) and no sudo to be had,
            # set-up says what it needs instead of failing at apt's lock.
            fake = os.path.join(work, "fake-bin")
            os.mkdir(fake)
            with open(os.path.join(fake, "dpkg-query"), "w") as stub:
                stub.write("#!/bin/sh\nexit 1\n")
            os.chmod(fake, 0o755)
            os.chmod(os.path.join(fake, "dpkg-query"), 0o755)
            refused = as_nobody("bash", "scripts/setup.sh", cwd=tree, path=f"{fake}:/usr/bin:/bin")
            self.assertEqual(refused.returncode, 1)
            self.assertIn("needs root: cmake", refused.stderr)
            self.assertIn("Run this script as root, or as a user who may use sudo.", refused.stderr)
            self.assertNotIn("apt-get", refused.stdout + refused.stderr)
            # A unity build without optimisation: it proves the build runs, not the code.
            build = as_nobody("bash", "scripts/build.sh", "build", "-DVERTUNO_QT=OFF", "-DBUILD_TESTING=OFF",
                              "-DCMAKE_UNITY_BUILD=ON", "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O0 -g0",
                              "--", "vertuno_core", cwd=tree)
            self.assertEqual(build.returncode, 0, build.stdout[-2000:] + build.stderr[-2000:])
        finally:
            shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    unittest.main()
