import tarvik_commerce


def test_the_native_module_loads():
    assert tarvik_commerce._native.__doc__
