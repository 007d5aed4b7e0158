# The wizard's end-to-end tests also start copies of the waiting dummy program.
if(TARGET e2e_tests AND TARGET killer_dummy)
    add_dependencies(e2e_tests killer_dummy)
endif()
