// The translation unit the precompiled headers of the tests are made from.
