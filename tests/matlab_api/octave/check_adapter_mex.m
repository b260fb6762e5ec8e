function check_adapter_mex (mex_name, release)
  % Checks, as Octave values, what one adapter build gives through its slots when its host
  % (adapter_gateway.c) runs in GNU Octave's MEX runtime. Any failed check is an error, which
  % makes octave-cli exit non-zero.
  %   check_adapter_mex ('qv_adapter_9_4', '9_4')
  % By name on every call: a handle to the MEX itself would keep it loaded through a clear.
  adapter = @(varargin) feval (mex_name, varargin{:});
  legacy_trap = strcmp (release, '7_6');   % slot 55 through mexSetTrapFlag + mexCallMATLAB

  check_arrays (adapter);
  check_structs_and_cells (adapter);
  check_readers (adapter);
  check_calls (adapter, legacy_trap);
  check_workspace_and_messages (adapter, mex_name);
  check_life_cycle (adapter, mex_name);

  printf ("check_adapter_mex %s: passed\n", mex_name);
end

function check_arrays (adapter)
  a = adapter ('arrays');
  assert (class (a{1}), 'double');
  assert (a{1}, [1 3 5; 2 4 6]);
  assert (iscomplex (a{2}) && isequal (a{2}, [1+3i, 2+4i]));
  assert (a{3}, 2.5);
  assert (ischar (a{4}) && strcmp (a{4}, 'hello'));
  % CreateCharArray: zero-filled char arrays of exactly the widened dimensions.
  assert (ischar (a{5}) && isequal (size (a{5}), [1 5]) && all (double (a{5}) == 0));
  assert (ischar (a{6}) && isequal (size (a{6}), [2 3 4]));
  assert (ischar (a{7}) && isequal (size (a{7}), [ones(1, 39) 2]));
  assert (ischar (a{8}) && isequal (a{8}, ['ab '; 'cde']));
  assert (isstruct (a{9}) && isequal (size (a{9}), [1 3]) && isequal (fieldnames (a{9}), {'alpha'; 'beta'}));
  assert (isstruct (a{10}) && isequal (size (a{10}), [2 2]) && isequal (fieldnames (a{10}), {'alpha'}));
  assert (iscell (a{11}) && isequal (size (a{11}), [1 2 2]));
  assert (adapter ('destroy'), 1);
end

function check_structs_and_cells (adapter)
  s = adapter ('structs');
  assert (isequal (fieldnames (s{1}), {'a'; 'b'; 'c'}));
  assert (s{1}(1).a, 1);
  assert (s{1}(2).b, 'z');
  assert (s{1}(2).c, 3);
  assert (isempty (s{1}(1).b) && isempty (s{1}(2).a));
  assert (s{2}, 2);                 % AddField: the new field's number
  assert (s{3}, 3);                 % GetNumberOfFields
  assert (s{4}, 'c');               % GetFieldNameByNumber
  assert (s{5}, 1);                 % GetField by name
  assert (s{6}, 'z');               % GetFieldByNumber

  value = {magic(3), 'text'};
  c = adapter ('cells', value);
  assert (isequal (c{1}, {'first', value}));
  assert (isequal (c{2}, value));   % GetCell of what SetCell stored

  original = struct ('x', {1, 'two'}, 'y', {{3}, int8(4)});
  copy = adapter ('duplicate', original);
  assert (isequal (copy, original) && strcmp (class (copy(2).y), 'int8'));

  A = zeros (3, 4, 5);
  subs = [2 3 4];                   % 0-based, as MATLAB's C interface counts
  assert (adapter ('subscript', A, subs) + 1, sub2ind (size (A), subs(1) + 1, subs(2) + 1, subs(3) + 1));
end

function check_readers (adapter)
  % [m n numel IsDouble IsCell IsNumeric IsComplex IsChar IsStruct]: flags exactly 0 or 1.
  assert (adapter ('inspect', zeros (2, 3)), [2 3 6 1 0 1 0 0 0]);
  assert (adapter ('inspect', [1i 2]), [1 2 2 1 0 1 1 0 0]);
  assert (adapter ('inspect', {1, 2, 3}), [1 3 3 0 1 0 0 0 0]);
  assert (adapter ('inspect', 'abcd'), [1 4 4 0 0 0 0 1 0]);
  assert (adapter ('inspect', struct ('f', {1, 2})), [1 2 2 0 0 0 0 0 1]);
  assert (adapter ('inspect', int32 ([1; 2])), [2 1 2 0 0 1 0 0 0]);
  % [IsFinite IsNaN] of GetScalar's value.
  assert (adapter ('classify', 1.5), [1 0]);
  assert (adapter ('classify', Inf), [0 0]);
  assert (adapter ('classify', NaN), [0 1]);
  assert (adapter ('data', [7 8]), 7);

  % GetString: the runtime sees exactly the buffer length given. Too short (what it then
  % leaves in the buffer is the runtime's affair; nothing past the length) is a failure, the
  % text and its NUL fit from 6 on.
  for length = [4 5]
    short = adapter ('get_string', 'hello', length);
    assert (short{1} != 0);
    assert (all (short{2}(length + 1:end) == 'X'));
  end
  for length = [6 64]
    long = adapter ('get_string', 'hello', length);
    assert (long{1} == 0 && strcmp (long{2}, 'hello'));
  end
  assert (adapter ('array_to_string', 'round trip'), 'round trip');
end

function check_calls (adapter, legacy_trap)
  r = adapter ('call', 'sqrt', 16);
  assert (r{1}, 0);
  assert (r{2}, 4);
  r = adapter ('call', 'upper', 'abc');
  assert (r{1} == 0 && strcmp (r{2}, 'ABC'));

  ok = adapter ('trap', 'sqrt', 9);
  assert (ok{1}, 1);                % null: the call succeeded
  assert (ok{3}, 3);

  failed = adapter ('trap', 'error', 'qv:failing call');
  assert (failed{1}, 0);
  if (legacy_trap)
    % A new char array made through slot 14, nothing of the error itself.
    assert (ischar (failed{2}) && strcmp (failed{2}, 'ERROR_mexCallMATLAB'));
  else
    % What the runtime gives for the error, unchanged (Octave: a record with its message).
    assert (isstruct (failed{2}) && isfield (failed{2}, 'message') && isfield (failed{2}, 'identifier'));
  end

  % After slot 55 the runtime's trap flag is off: a failing slot 54 call raises the error.
  raised = false;
  try
    adapter ('trap_then_call', 'error', 'qv:after the trap');
  catch err
    raised = true;
    assert (! isempty (strfind (err.message, 'qv:after the trap')), err.message);
  end
  assert (raised, 'the trap flag stayed on after slot 55');

  % With the flag switched on before: 7.6 leaves it off, 9.x leaves it to the runtime, which
  % puts back what it was.
  raised = false;
  try
    status = adapter ('trap_from_on', 'error', 'qv:flag was on');
  catch
    raised = true;
  end
  if (legacy_trap)
    assert (raised, '7.6 slot 55 must leave the trap flag off');
  else
    assert (! raised && status != 0);
  end
end

function check_workspace_and_messages (adapter, mex_name)
  % Called straight from here (not through the anonymous function): this is the MEX
  % file's caller, whose workspace the commands change.
  assert (feval (mex_name, 'eval', 'qv_evaluated = 6 * 7;'), 0);
  assert (exist ('qv_evaluated', 'var') == 1 && qv_evaluated == 42);
  assert (feval (mex_name, 'eval', 'error (''qv:in eval'');') != 0);

  assert (feval (mex_name, 'put', 'caller', 'qv_put', [1 2 3]), 0);
  assert (exist ('qv_put', 'var') == 1 && isequal (qv_put, [1 2 3]));
  assert (adapter ('put', 'base', 'qv_put_base', 'in base'), 0);
  assert (evalin ('base', 'qv_put_base'), 'in base');
  evalin ('base', 'clear qv_put_base');

  % The text is the format: "%%" prints one percent sign.
  printed = evalc ('adapter (''printf'', "100%% done\n");');
  assert (printed, sprintf ('100%% done\n'));

  lastwarn ('');
  shown = evalc ('adapter (''warn'', ''qv warning text'');');
  assert (lastwarn (), 'qv warning text');
  assert (! isempty (strfind (shown, 'warning: qv warning text')), shown);

  caught = '';
  try
    adapter ('error', 'qv error text');
  catch err
    caught = err.message;
  end
  assert (caught, [mex_name ': qv error text']);   % Octave names the MEX file first
end

function check_life_cycle (adapter, mex_name)
  assert (adapter ('name'), mex_name);
  assert (adapter ('at_exit_status'), 0);

  % MexAtExit's function runs when the MEX is cleared ...
  setenv ('QV_OCTAVE_AT_EXIT', '');
  clear (mex_name);
  assert (getenv ('QV_OCTAVE_AT_EXIT'), 'ran');

  % ... and MexLock keeps it from being cleared until it is unlocked.
  setenv ('QV_OCTAVE_AT_EXIT', '');
  assert (adapter ('lock'), 1);
  assert (mislocked (mex_name));
  clear (mex_name);
  assert (getenv ('QV_OCTAVE_AT_EXIT'), '');
  assert (adapter ('name'), mex_name);
  munlock (mex_name);
  clear (mex_name);
  assert (getenv ('QV_OCTAVE_AT_EXIT'), 'ran');
end
